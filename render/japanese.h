#pragma once

class QCoreApplication;

namespace render {

// Maps the design's Japanese font names to the installed IPA Gothic faces and loads Qt's own
// Japanese translations (the buttons of the print dialog and message boxes). Call before any
// text is laid out or any widget is created; the program and the command line both call it.
void installJapanese(QCoreApplication& application);

}  // namespace render
