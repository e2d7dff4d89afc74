#pragma once
// The overwrite question: "上書き保存をしますか？" with OK and キャンセル.

#include <wx/dialog.h>

namespace borvik::ui {

class OverWrite final : public wxDialog {
 public:
  explicit OverWrite(wxWindow* parent);
};

}  // namespace borvik::ui
