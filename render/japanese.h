#pragma once

class QApplication;

namespace app {

// Maps the design's Japanese font names to the installed IPA Gothic faces and loads Qt's own
// Japanese translations (the buttons of the print dialog and message boxes). Call before any
// widget is created.
void installJapanese(QApplication& application);

}  // namespace app
