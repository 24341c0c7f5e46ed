#include "line_log.h"

#include <fstream>
#include <sstream>

namespace kelvado::test {

std::string LineEvent::field(const std::string& name) const {
  const auto found = fields.find(name);
  return found == fields.end() ? std::string() : found->second;
}

std::string LineEvent::summary(const std::vector<std::string>& names) const {
  std::string text = call;
  for (const std::string& name : names) {
    if (fields.contains(name)) text += " " + name + "=" + field(name);
  }
  return text;
}

std::vector<LineEvent> ReadLineLog(const std::string& path) {
  std::vector<LineEvent> events;
  std::ifstream in(path);
  std::string line;
  while (std::getline(in, line)) {
    std::istringstream words(line);
    LineEvent event;
    words >> event.time >> event.pid >> event.call;
    std::string word;
    while (words >> word) {
      const size_t equals = word.find('=');
      if (equals != std::string::npos)
        event.fields[word.substr(0, equals)] = word.substr(equals + 1);
    }
    events.push_back(std::move(event));
  }
  return events;
}

}  // namespace kelvado::test
