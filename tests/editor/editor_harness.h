#pragma once
// Driving the editor as a user would: the scripted platform and a session
// in a folder of its own.

#include <gtest/gtest.h>

#include <deque>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "editor/session.h"
#include "files/layer_csv.h"
#include "support/scripted_platform.h"
#include "support/temp_dir.h"

namespace borvik::editor::testing {

// One run of the program: a folder for its work file, the scripted user and
// the editor.
struct Editor {
  borvik::testing::TempDir dir;
  ScriptedPlatform ui;
  std::unique_ptr<Session> session = std::make_unique<Session>(ui, dir / files::kWorkFileName);

  MainWindowState& State() { return session->State(); }
  std::string WorkFile() const { return borvik::testing::ReadBytes(dir / files::kWorkFileName); }

  void TypeHeader(std::string name, std::string elevation) {
    State().name = std::move(name);
    State().elevation = std::move(elevation);
  }
  void TypeDepths(std::string top, std::string bot) {
    State().top = std::move(top);
    State().bot = std::move(bot);
  }
  void Tick(int boxId) {
    CheckBoxState* box = State().CheckBox(boxId);
    ASSERT_NE(box, nullptr) << boxId;
    box->checked = true;
  }
  // A layer of one lithology, typed and entered.
  EntryResult Enter(std::string top, std::string bot, int boxId) {
    TypeDepths(std::move(top), std::move(bot));
    Tick(boxId);
    return session->EnterLayer();
  }
  // Loads a layer file written from the given text.
  void Load(std::string_view name, std::string_view bytes) {
    borvik::testing::WriteBytes(dir / name, bytes);
    ui.fileAnswers.push_back(dir / name);
    session->OnFileLoad();
  }
};

inline constexpr int kClayBox = 1004;
inline constexpr int kSiltBox = 1007;
inline constexpr int kVeryFineSandBox = 1008;
inline constexpr int kFineSandBox = 1009;
inline constexpr int kCoarseSandBox = 1011;
inline constexpr int kGranuleBox = 1013;
inline constexpr int kFineAshBox = 1096;
inline constexpr int kSedimentaryRockBox = 1087;
inline constexpr int kLimestoneBox = 1017;

// B-1 at 12.5 m: clay 0-2, fine sand 2-5, coarse sand 5-9, typed and entered.
inline void EnterThree(Editor& e) {
  e.TypeHeader("B-1", "12.5");
  ASSERT_TRUE(e.Enter("0", "2", kClayBox).accepted);
  ASSERT_TRUE(e.Enter("2", "5", kFineSandBox).accepted);
  ASSERT_TRUE(e.Enter("5", "9", kCoarseSandBox).accepted);
}

// Clears every lithology box so the next Enter ticks only its own.
inline void Untick(Editor& e) {
  for (CheckBoxState& box : e.State().lithology) box.checked = false;
}

inline std::string HeaderLine() { return std::string(files::kHeaderLine) + "\r\n"; }

// A layer line with every mark left out: top, bot, int, Str, Bou, RF1, RF2.
inline std::string PlainLine(std::string_view values) {
  std::string line = std::string(values) + ",0,0";
  for (int mark = 0; mark < 11; ++mark) line += ",-1,0";
  return line + "\r\n";
}

}  // namespace borvik::editor::testing
