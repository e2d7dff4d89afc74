#pragma once
// The rules that turn the soil or rock name of an exchange file's layer into
// layer codes. They live in a data file (data/exchange/names.csv, installed
// with the program; its head says how a name is read) that a user may extend
// with a file of the same form.

#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "files/error.h"
#include "model/codes.h"

namespace borvik::exchange {

// Where the built-in rules are, relative to a data folder.
inline constexpr std::string_view kNameRulesFile = "exchange/names.csv";

// The soil and rock codes a file may carry beside the name, by the version
// that defines them.
enum class CodeScheme {
  kNone,
  kGeology,         // 地質コード (1.10)
  kClassification,  // 分類コード (2.00 to 2.10)
  kRockSoil,        // 岩石土コード (3.00, 4.00)
};

enum class RuleRole { kMain, kFill, kModifier, kSuffix, kCode };

struct NameRule {
  std::string pattern;  // normalised as names are; for a code rule, the code prefix
  RuleRole role = RuleRole::kMain;
  CodeScheme scheme = CodeScheme::kNone;  // code rules only
  std::optional<model::LithologyCode> RF1, RF2;
  std::optional<int> RFe, Wea;
  int line = 0;  // in its file
};

// The codes a layer gets.
struct LayerCodes {
  model::LithologyCode RF1 = model::kNoLithology;
  model::LithologyCode RF2 = model::kNoLithology;
  int RFe = model::kQualityNone;
  int Wea = model::kNotWeathered;

  friend bool operator==(const LayerCodes&, const LayerCodes&) = default;
};

// How a name came to its codes. Everything but kRule and kFill is a fallback
// the import reports.
enum class NameMatchKind {
  kRule,          // a main word of the name
  kFill,          // made ground or topsoil
  kNearestGroup,  // no main word; the last soil or rock word used as a modifier
  kRockCode,      // no soil or rock word; the file's own code
  kUnknownRock,   // no soil or rock word, but a rock (…岩): bedrock of unknown type
  kNoLithology,   // nothing to go on
};

struct NameMatch {
  NameMatchKind kind = NameMatchKind::kNoLithology;
  LayerCodes codes;
};

inline bool IsFallback(NameMatchKind kind) {
  return kind != NameMatchKind::kRule && kind != NameMatchKind::kFill;
}

class NameRules {
 public:
  // Adds the rules of a rules file (UTF-8, or code page 932 when the bytes
  // are not UTF-8). A rule for a pattern and role already known replaces
  // it. A malformed line refuses the whole text (kRefusedFile, kBadRule with
  // line and column, `subject` naming the file) and adds nothing.
  files::Status Add(std::string_view text, std::string_view subject);

  NameMatch Match(std::string_view name, CodeScheme scheme,
                  std::span<const std::string> codes) const;

  std::span<const NameRule> Rules() const { return rules_; }

 private:
  std::vector<NameRule> rules_;
};

// Spaces dropped, half-width katakana made full-width: the form names and
// patterns are compared in.
std::string NormalizeName(std::string_view name);

// The built-in rules, found with files::FindDataFile, then the user's file
// when one is given. kNoImportRules when the built-in file is missing.
files::Status LoadNameRules(const std::filesystem::path* userRules, NameRules& rules);

}  // namespace borvik::exchange
