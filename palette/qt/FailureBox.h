#pragma once

class QWidget;

namespace palette {

inline constexpr const char* kFailureBoxName = "FailureBox";

// Tells the user that the word processor could not be driven: one modal box
// with the buttons Cancel (the default), Try Again and Continue and no icon.
// Which button closes it makes no difference; the caller just carries on.
void ShowFailureBox(QWidget* parent);

} // namespace palette
