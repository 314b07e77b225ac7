#pragma once

class QWidget;

// Makes a top-level window stay above every window that is not itself
// topmost. The window keeps its place and size. A platform that refuses
// leaves an ordinary window; nothing is reported.
void SetTopmost(QWidget& window);
