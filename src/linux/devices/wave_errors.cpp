#include "devices/wave_errors.h"

namespace kelvado {

std::optional<std::string> WaveErrorText(uint32_t code, const std::string& file) {
  const std::string cannot_open = "Не удалось открыть файл " + file + ": ";
  switch (code) {
    case kWaveNoDeviceOpen:
      return "Звуковое устройство не открыто";
    case kWaveFileNotFound:
      return cannot_open + "файл не найден";
    case kWaveFileAccessDenied:
      return cannot_open + "нет прав на чтение";
    case kWaveFileNotDecodable:
      return cannot_open + "это не звуковой файл или его формат не поддерживается";
    case kWaveNoSoundDevice:
      return "Не удалось открыть звуковое устройство: в системе нет устройства воспроизведения "
             "и записи звука";
    case kWaveSoundSystemNotResponding:
      return "Не удалось открыть звуковое устройство: звуковой сервер не отвечает";
    case kWaveStreamFailed:
      return "Звуковое устройство не смогло начать воспроизведение или запись";
    case kWaveFileNotSaved:
      return "Не удалось сохранить файл " + file;
    default:
      return std::nullopt;
  }
}

}  // namespace kelvado
