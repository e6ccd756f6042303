// Reading a manual page (roff) and a usage text for the tests that hold the two to each other.
#pragma once

#include <regex>
#include <set>
#include <string>

#include "../model/scratch_folder.h"

namespace vernoli::test_support {

// The text of the manual page `name` of packaging/man/ as a reader sees its words: font changes
// (\fB, \fI, \fR, \fP) removed, "\-" read as "-", "\&" dropped.
inline std::string ManualPageText(const std::string& name) {
  const std::string roff = ReadBytes(std::string(VERNOLI_MAN_PAGES) + "/" + name);
  std::string text;
  for (std::size_t i = 0; i < roff.size(); ++i) {
    if (roff[i] == '\\' && i + 1 < roff.size()) {
      const char next = roff[i + 1];
      if (next == 'f' && i + 2 < roff.size()) {
        i += 2;
        continue;
      }
      if (next == '-' || next == '&') {
        if (next == '-') text += '-';
        ++i;
        continue;
      }
    }
    text += roff[i];
  }
  return text;
}

// Every long option ("--name") that `text` names.
inline std::set<std::string> LongOptions(const std::string& text) {
  static const std::regex option("--[a-z][a-z0-9-]*");
  std::set<std::string> options;
  for (auto it = std::sregex_iterator(text.begin(), text.end(), option);
       it != std::sregex_iterator(); ++it) {
    options.insert(it->str());
  }
  return options;
}

// The options of `options` that `page` names nowhere as a whole word.
inline std::set<std::string> Undocumented(const std::set<std::string>& options,
                                          const std::string& page) {
  std::set<std::string> missing;
  const std::set<std::string> named = LongOptions(page);
  for (const std::string& option : options) {
    if (!named.count(option)) missing.insert(option);
  }
  return missing;
}

}  // namespace vernoli::test_support
