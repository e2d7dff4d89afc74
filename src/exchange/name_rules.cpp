#include "exchange/name_rules.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>

#include "files/data_files.h"
#include "files/file_io.h"
#include "text/cp932.h"
#include "text/utf8.h"

namespace borvik::exchange {
namespace {

using model::LithologyCode;

// U+FF61..U+FF9F, the half-width forms, as their full-width characters.
constexpr std::array<char16_t, 63> kFullWidthKana{
    0x3002, 0x300C, 0x300D, 0x3001, 0x30FB, 0x30F2, 0x30A1, 0x30A3, 0x30A5, 0x30A7, 0x30A9,
    0x30E3, 0x30E5, 0x30E7, 0x30C3, 0x30FC, 0x30A2, 0x30A4, 0x30A6, 0x30A8, 0x30AA, 0x30AB,
    0x30AD, 0x30AF, 0x30B1, 0x30B3, 0x30B5, 0x30B7, 0x30B9, 0x30BB, 0x30BD, 0x30BF, 0x30C1,
    0x30C4, 0x30C6, 0x30C8, 0x30CA, 0x30CB, 0x30CC, 0x30CD, 0x30CE, 0x30CF, 0x30D2, 0x30D5,
    0x30D8, 0x30DB, 0x30DE, 0x30DF, 0x30E0, 0x30E1, 0x30E2, 0x30E4, 0x30E6, 0x30E8, 0x30E9,
    0x30EA, 0x30EB, 0x30EC, 0x30ED, 0x30EF, 0x30F3, 0x309B, 0x309C};
constexpr char32_t kHalfVoiced = 0xFF9E;
constexpr char32_t kHalfSemiVoiced = 0xFF9F;

bool IsSpace(char32_t c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == 0x3000 || c == 0xA0;
}

// The kana with a voiced form one code point up: カ..ト and ハ..ホ.
bool TakesVoicedMark(char32_t c) {
  return (c >= 0x30AB && c <= 0x30C8) || (c >= 0x30CF && c <= 0x30DB && (c - 0x30CF) % 3 == 0);
}
bool TakesSemiVoicedMark(char32_t c) { return c >= 0x30CF && c <= 0x30DB && (c - 0x30CF) % 3 == 0; }

constexpr std::string_view kRoleNames[] = {"main", "fill", "modifier", "suffix", "code"};
constexpr RuleRole kRoles[] = {RuleRole::kMain, RuleRole::kFill, RuleRole::kModifier,
                               RuleRole::kSuffix, RuleRole::kCode};

struct SchemeName {
  std::string_view name;
  CodeScheme scheme;
};
constexpr SchemeName kSchemes[] = {{"地質コード", CodeScheme::kGeology},
                                   {"分類コード", CodeScheme::kClassification},
                                   {"岩石土コード", CodeScheme::kRockSoil}};

// Columns of a rules line.
enum Column { kPatternColumn = 1, kRoleColumn, kRF1Column, kRF2Column, kRFeColumn, kWeaColumn };

std::string_view Trim(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r'))
    s.remove_suffix(1);
  return s;
}

template <typename T>
bool ParseWhole(std::string_view text, T& value) {
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  return ec == std::errc{} && end == text.data() + text.size();
}

bool IsSediment(LithologyCode code) {
  return std::any_of(model::kSedimentLithologies.begin(), model::kSedimentLithologies.end(),
                     [code](const auto& s) { return s.code == code; });
}

// The pairs a layer of one lithology can have: none, one sediment in both,
// or bedrock of a type (or of unknown type, 0).
bool IsLayerPair(LithologyCode rf1, LithologyCode rf2) {
  if (rf1 == model::kNoLithology) return rf2 == model::kNoLithology;
  if (rf1 == model::kBedrockWidth) {
    return rf2 == model::kNoLithology || model::BedrockSlotForCode(rf2).has_value();
  }
  return IsSediment(rf1) && rf2 == rf1;
}

bool AllowsLoam(LithologyCode code) {
  for (const auto& s : model::kSedimentLithologies) {
    if (s.code == code) {
      return s.group == model::LithologyGroup::Mud || s.group == model::LithologyGroup::Sand;
    }
  }
  return false;
}

files::Status BadRule(int line, int column, std::string_view subject) {
  files::Error e = files::Refused(files::Refusal::kBadRule, line, column);
  e.subject = std::string(subject);
  return files::Status::Fail(std::move(e));
}

// One line of a rules file into a rule; the column at fault, or 0.
int ParseRule(std::string_view line, int lineNumber, NameRule& rule) {
  std::array<std::string_view, 6> fields{};
  std::size_t count = 0;
  std::size_t start = 0;
  while (true) {
    const std::size_t comma = line.find(',', start);
    const std::string_view field =
        Trim(line.substr(start, comma == std::string_view::npos ? comma : comma - start));
    if (count == fields.size()) {
      // Nothing may follow the sixth field but an empty one.
      if (!field.empty() || comma != std::string_view::npos) return kWeaColumn + 1;
      break;
    }
    fields[count++] = field;
    if (comma == std::string_view::npos) break;
    start = comma + 1;
  }
  rule = {};
  rule.line = lineNumber;
  const auto role = std::find(std::begin(kRoleNames), std::end(kRoleNames), fields[1]);
  if (role == std::end(kRoleNames)) return kRoleColumn;
  rule.role = kRoles[role - std::begin(kRoleNames)];

  std::string_view pattern = fields[0];
  if (rule.role == RuleRole::kCode) {
    const std::size_t colon = pattern.find(':');
    const auto scheme = std::find_if(std::begin(kSchemes), std::end(kSchemes), [&](const auto& s) {
      return colon != std::string_view::npos && pattern.substr(0, colon) == s.name;
    });
    if (scheme == std::end(kSchemes)) return kPatternColumn;
    rule.scheme = scheme->scheme;
    pattern.remove_prefix(colon + 1);
    if (pattern.empty() ||
        !std::all_of(pattern.begin(), pattern.end(), [](char c) { return c >= '0' && c <= '9'; })) {
      return kPatternColumn;
    }
    rule.pattern = std::string(pattern);
  } else {
    if (!text::IsValidUtf8(pattern)) return kPatternColumn;
    rule.pattern = NormalizeName(pattern);
    if (rule.pattern.empty()) return kPatternColumn;
  }

  const auto readCode = [&](std::string_view field, std::optional<LithologyCode>& out) {
    if (field.empty()) return true;
    float value = 0;
    if (!ParseWhole(field, value)) return false;
    out = value;
    return true;
  };
  if (!readCode(fields[2], rule.RF1)) return kRF1Column;
  if (!readCode(fields[3], rule.RF2)) return kRF2Column;
  const auto readInt = [&](std::string_view field, int max, std::optional<int>& out) {
    if (field.empty()) return true;
    int value = 0;
    if (!ParseWhole(field, value) || value < 0 || value > max) return false;
    out = value;
    return true;
  };
  if (!readInt(fields[4], model::kQualityCalcareous, rule.RFe)) return kRFeColumn;
  if (!readInt(fields[5], model::kMottled, rule.Wea)) return kWeaColumn;

  const bool givesLithology =
      rule.role == RuleRole::kMain || rule.role == RuleRole::kFill || rule.role == RuleRole::kCode;
  if (givesLithology) {
    if (!rule.RF1) return kRF1Column;
    if (!rule.RF2 || !IsLayerPair(*rule.RF1, *rule.RF2)) return kRF2Column;
  } else {
    if (rule.RF1) return kRF1Column;
    if (rule.RF2) return kRF2Column;
    if (rule.role == RuleRole::kModifier && !rule.RFe && !rule.Wea) return kRFeColumn;
    if (rule.role == RuleRole::kSuffix && rule.RFe) return kRFeColumn;
    if (rule.role == RuleRole::kSuffix && rule.Wea) return kWeaColumn;
  }
  return 0;
}

// A word of the name: the rule that matched there.
struct Token {
  const NameRule* rule;
  std::size_t end;  // byte offset just past it
};

// Priority among rules of the same pattern.
int RolePriority(RuleRole role) {
  switch (role) {
    case RuleRole::kMain: return 0;
    case RuleRole::kFill: return 1;
    case RuleRole::kModifier: return 2;
    case RuleRole::kSuffix: return 3;
    case RuleRole::kCode: return 4;
  }
  return 5;
}

void ApplyQuality(const NameRule& rule, LayerCodes& codes) {
  if (rule.RFe) codes.RFe = *rule.RFe;
  if (rule.Wea) codes.Wea = *rule.Wea;
}

void ApplyLithology(const NameRule& rule, LayerCodes& codes) {
  codes.RF1 = *rule.RF1;
  codes.RF2 = *rule.RF2;
}

}  // namespace

std::string NormalizeName(std::string_view name) {
  std::string out;
  out.reserve(name.size());
  std::size_t pos = 0;
  while (pos < name.size()) {
    char32_t c = text::DecodeUtf8At(name, pos);
    if (IsSpace(c)) continue;
    if (c >= 0xFF61 && c <= 0xFF9F) {
      c = kFullWidthKana[c - 0xFF61];
      std::size_t next = pos;
      const char32_t mark = next < name.size() ? text::DecodeUtf8At(name, next) : 0;
      if (mark == kHalfVoiced && (TakesVoicedMark(c) || c == 0x30A6)) {
        c = c == 0x30A6 ? char32_t{0x30F4} : c + 1;
        pos = next;
      } else if (mark == kHalfSemiVoiced && TakesSemiVoicedMark(c)) {
        c += 2;
        pos = next;
      }
    }
    text::AppendUtf8(out, c);
  }
  return out;
}

files::Status NameRules::Add(std::string_view bytes, std::string_view subject) {
  constexpr std::string_view kBom = "\xEF\xBB\xBF";
  if (bytes.substr(0, kBom.size()) == kBom) bytes.remove_prefix(kBom.size());
  const std::string decoded =
      text::IsValidUtf8(bytes) ? std::string(bytes) : text::Cp932ToUtf8(bytes);
  const std::string_view text = decoded;
  std::vector<NameRule> added;
  int lineNumber = 0;
  for (std::size_t start = 0; start < text.size();) {
    const std::size_t end = std::min(text.find('\n', start), text.size());
    const std::string_view line = Trim(text.substr(start, end - start));
    start = end + 1;
    ++lineNumber;
    // Blank lines, comments and the column heads carry no rule.
    if (line.empty() || line.front() == '#' || line.substr(0, 8) == "pattern,") continue;
    NameRule rule;
    if (const int column = ParseRule(line, lineNumber, rule); column != 0) {
      return BadRule(lineNumber, column, subject);
    }
    added.push_back(std::move(rule));
  }
  for (NameRule& rule : added) {
    const auto same = std::find_if(rules_.begin(), rules_.end(), [&](const NameRule& r) {
      return r.role == rule.role && r.scheme == rule.scheme && r.pattern == rule.pattern;
    });
    if (same != rules_.end()) {
      *same = std::move(rule);
    } else {
      rules_.push_back(std::move(rule));
    }
  }
  return files::Status::Ok();
}

NameMatch NameRules::Match(std::string_view name, CodeScheme scheme,
                           std::span<const std::string> codes) const {
  const std::string normal = NormalizeName(name);
  const std::string_view s = normal;

  // The name as a row of words, the longest pattern at each place.
  std::vector<Token> tokens;
  for (std::size_t pos = 0; pos < s.size();) {
    const NameRule* best = nullptr;
    for (const NameRule& rule : rules_) {
      if (rule.role == RuleRole::kCode || s.substr(pos, rule.pattern.size()) != rule.pattern) {
        continue;
      }
      if (!best || rule.pattern.size() > best->pattern.size() ||
          (rule.pattern.size() == best->pattern.size() &&
           RolePriority(rule.role) < RolePriority(best->role))) {
        best = &rule;
      }
    }
    if (best) {
      pos += best->pattern.size();
      tokens.push_back({best, pos});
    } else {
      text::DecodeUtf8At(s, pos);
    }
  }

  // A soil or rock word right before a suffix (砂 in 砂質) only modifies.
  const NameRule* lastMain = nullptr;
  const NameRule* lastModifying = nullptr;
  std::size_t lastModifyingEnd = 0;
  const NameRule* fill = nullptr;
  for (std::size_t i = 0; i < tokens.size(); ++i) {
    const NameRule& rule = *tokens[i].rule;
    if (rule.role == RuleRole::kFill) fill = &rule;
    if (rule.role != RuleRole::kMain) continue;
    const bool modifies = i + 1 < tokens.size() && tokens[i + 1].rule->role == RuleRole::kSuffix &&
                          tokens[i + 1].end - tokens[i + 1].rule->pattern.size() == tokens[i].end;
    if (modifies) {
      lastModifying = &rule;
      lastModifyingEnd = tokens[i].end;
    } else {
      lastMain = &rule;
    }
  }

  NameMatch match;
  if (lastMain) {
    match.kind = NameMatchKind::kRule;
    ApplyLithology(*lastMain, match.codes);
  } else if (fill) {
    // Made ground of a named material is drawn as that material.
    match.kind = NameMatchKind::kFill;
    ApplyLithology(lastModifying ? *lastModifying : *fill, match.codes);
  } else {
    // The file's own code, the longest prefix that has a rule.
    const NameRule* byCode = nullptr;
    for (const std::string& code : codes) {
      for (const NameRule& rule : rules_) {
        if (rule.role == RuleRole::kCode && rule.scheme == scheme &&
            code.compare(0, rule.pattern.size(), rule.pattern) == 0 &&
            (!byCode || rule.pattern.size() > byCode->pattern.size())) {
          byCode = &rule;
        }
      }
      if (byCode) break;
    }
    const bool rock = s.find("岩", lastModifyingEnd) != std::string_view::npos;
    if (byCode) {
      match.kind = NameMatchKind::kRockCode;
      ApplyLithology(*byCode, match.codes);
    } else if (lastModifying && !rock) {
      match.kind = NameMatchKind::kNearestGroup;
      ApplyLithology(*lastModifying, match.codes);
    } else if (rock) {
      match.kind = NameMatchKind::kUnknownRock;
      match.codes.RF1 = model::kBedrockWidth;
      match.codes.RF2 = model::kNoLithology;
    }
  }
  // Quality and weathering: every word that says so, the last one winning.
  for (const Token& token : tokens) ApplyQuality(*token.rule, match.codes);
  if (match.codes.RFe == model::kQualityLoamy && !AllowsLoam(match.codes.RF1)) {
    match.codes.RFe = model::kQualityNone;
  }
  return match;
}

files::Status LoadNameRules(const std::filesystem::path* userRules, NameRules& rules) {
  NameRules loaded;
  const auto builtIn = files::FindDataFile(std::string(kNameRulesFile));
  if (!builtIn) {
    files::Error e = files::Failure(files::ErrorKind::kNoImportRules);
    e.subject = std::string(kNameRulesFile);
    return files::Status::Fail(std::move(e));
  }
  const auto addFile = [&](const std::filesystem::path& path) {
    std::string bytes;
    if (files::Status read = files::ReadWholeFile(path, bytes, files::kMaxNameRulesFileBytes); !read) {
      read.error->subject = path.filename().string();
      return read;
    }
    return loaded.Add(bytes, path.filename().string());
  };
  if (files::Status status = addFile(*builtIn); !status) return status;
  if (userRules) {
    if (files::Status status = addFile(*userRules); !status) return status;
  }
  rules = std::move(loaded);
  return files::Status::Ok();
}

}  // namespace borvik::exchange
