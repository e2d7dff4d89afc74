#pragma once

namespace borvik::editor {

// What データ入力 does: append a new layer, or replace the one shown.
enum class EntryMode { Append, Edit };

}  // namespace borvik::editor
