#include "main_form_handlers.h"

namespace kelvado::qt {

SettingsHandlers MainFormHandlers(MainForm& form) {
  SettingsHandlers handlers;
  handlers.btSaveClick = [&form] { form.btSaveClick(); };
  handlers.cbSerialNumChange = [&form] { form.cbSerialNumChange(); };
  handlers.cbInvChange = [&form] { form.cbInvChange(); };
  handlers.rgSerialClick = [&form] { form.rgSerialClick(); };
  handlers.rgParallelClick = [&form] { form.rgParallelClick(); };
  handlers.rgDTRClick = [&form] { form.rgDTRClick(); };
  handlers.rgRTSClick = [&form] { form.rgRTSClick(); };
  handlers.sbMixerReciveClick = [&form] { form.sbMixerReciveClick(); };
  handlers.sbMixerPlayClick = [&form] { form.sbMixerPlayClick(); };
  handlers.sbMixerRecClick = [&form] { form.sbMixerRecClick(); };
  handlers.closeRequest = [&form] { form.closeRequest(); };
  return handlers;
}

}  // namespace kelvado::qt
