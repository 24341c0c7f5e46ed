#include "settings/ini_profile.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string_view>
#include <vector>

#include "common/atomic_file.h"
#include "common/error.h"
#include "common/integer_text.h"

namespace kelvado {

namespace {

namespace fs = std::filesystem;

struct IniLine {
  std::string text;  // without its line end
  std::string end;   // "\r\n", "\n", or empty for a last line without one
};

// One section: its header line, and the index just past its last line.
struct SectionRange {
  size_t header;
  size_t last;
};

struct KeyLine {
  std::string_view key;
  std::string_view value;
};

// The file's bytes: empty when it does not exist, nothing when it exists but cannot be read.
std::optional<std::string> ReadWholeFile(const std::string& path) {
  std::error_code ec;
  const fs::file_status status = fs::status(path, ec);
  if (status.type() == fs::file_type::not_found) return std::string();
  if (!fs::is_regular_file(status)) return std::nullopt;
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  std::string content{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  if (in.bad()) return std::nullopt;
  return content;
}

std::vector<IniLine> SplitLines(std::string_view content) {
  std::vector<IniLine> lines;
  while (!content.empty()) {
    const size_t newline = content.find('\n');
    if (newline == std::string_view::npos) {
      lines.push_back({std::string(content), ""});
      break;
    }
    std::string_view text = content.substr(0, newline);
    const bool crlf = !text.empty() && text.back() == '\r';
    if (crlf) text.remove_suffix(1);
    lines.push_back({std::string(text), crlf ? "\r\n" : "\n"});
    content.remove_prefix(newline + 1);
  }
  return lines;
}

std::string JoinLines(const std::vector<IniLine>& lines) {
  std::string content;
  for (const IniLine& line : lines) content += line.text + line.end;
  return content;
}

// The line end new lines get: that of the file's first line, "\n" in a new file.
std::string LineEndOf(const std::vector<IniLine>& lines) {
  return lines.empty() || lines.front().end.empty() ? "\n" : lines.front().end;
}

bool IsBlank(const IniLine& line) {
  return TrimBlanks(line.text).empty();
}

// The name in a "[name]" header line.
std::optional<std::string_view> SectionName(std::string_view line) {
  line = TrimBlanks(line);
  if (line.empty() || line.front() != '[') return std::nullopt;
  line.remove_prefix(1);
  const size_t close = line.rfind(']');
  if (close != std::string_view::npos) line = line.substr(0, close);
  return TrimBlanks(line);
}

std::optional<KeyLine> SplitKeyLine(std::string_view line) {
  const size_t equals = line.find('=');
  if (equals == std::string_view::npos) return std::nullopt;
  return KeyLine{TrimBlanks(line.substr(0, equals)), TrimBlanks(line.substr(equals + 1))};
}

// The first section of that name; a later header of the same name is not read.
std::optional<SectionRange> FindSection(const std::vector<IniLine>& lines, std::string_view name) {
  for (size_t i = 0; i < lines.size(); ++i) {
    const auto found = SectionName(lines[i].text);
    if (!found || !EqualsIgnoringCase(*found, name)) continue;
    size_t last = i + 1;
    while (last < lines.size() && !SectionName(lines[last].text)) ++last;
    return SectionRange{i, last};
  }
  return std::nullopt;
}

std::optional<size_t> FindKey(const std::vector<IniLine>& lines, SectionRange section,
                              std::string_view key) {
  for (size_t i = section.header + 1; i < section.last; ++i) {
    const auto line = SplitKeyLine(lines[i].text);
    if (line && EqualsIgnoringCase(line->key, key)) return i;
  }
  return std::nullopt;
}

// A stored value as a read returns it: one pair of enclosing quotes removed, then cut to
// the read buffer's length.
std::string ProfileValue(std::string_view stored) {
  if (stored.size() >= 2 && stored.front() == stored.back() &&
      (stored.front() == '"' || stored.front() == '\'')) {
    stored = stored.substr(1, stored.size() - 2);
  }
  return std::string(stored.substr(0, IniProfile::kMaxValueLength));
}

// Makes sure the line before a new one ends, so the new line starts on a line of its own.
void EndLine(IniLine& line, const std::string& end) {
  if (line.end.empty()) line.end = end;
}

}  // namespace

std::optional<std::string> IniProfile::read(const std::string& section, const std::string& key) {
  const auto content = ReadWholeFile(path_);
  if (!content) return std::nullopt;
  const std::vector<IniLine> lines = SplitLines(*content);
  const auto range = FindSection(lines, section);
  if (!range) return std::nullopt;
  const auto index = FindKey(lines, *range, key);
  if (!index) return std::nullopt;
  return ProfileValue(SplitKeyLine(lines[*index].text)->value);
}

bool IniProfile::write(const std::string& section, const std::string& key,
                       const std::string& value) {
  const auto content = ReadWholeFile(path_);
  if (!content) return false;
  std::vector<IniLine> lines = SplitLines(*content);
  const std::string end = LineEndOf(lines);

  if (const auto range = FindSection(lines, section)) {
    if (const auto index = FindKey(lines, *range, key)) {
      // The key keeps its spelling in the file; only the value changes.
      IniLine& line = lines[*index];
      line.text = std::string(SplitKeyLine(line.text)->key) + "=" + value;
    } else {
      // After the section's last non-blank line, so blank lines before the next header stay.
      size_t after = range->header;
      for (size_t i = range->header + 1; i < range->last; ++i) {
        if (!IsBlank(lines[i])) after = i;
      }
      EndLine(lines[after], end);
      lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(after + 1),
                   {key + "=" + value, end});
    }
  } else {
    if (!lines.empty()) {
      EndLine(lines.back(), end);
      if (!IsBlank(lines.back())) lines.push_back({"", end});
    }
    lines.push_back({"[" + section + "]", end});
    lines.push_back({key + "=" + value, end});
  }

  const std::string updated = JoinLines(lines);
  try {
    WriteFileAtomically(path_, updated.data(), updated.size());
  } catch (const Error&) {
    return false;
  }
  return true;
}

}  // namespace kelvado
