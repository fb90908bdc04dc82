#pragma once

namespace dialogs {
class Messenger;
}

namespace app {

// ヘルプ → 使い方ガイド: opens the user's guide (docs/guide.md made into HTML when the program is
// built) in the desktop's browser: the one installed with the program, else the one in the build
// tree. A guide that is missing or cannot be opened is told through `messages`, with where it is.
void openGuide(dialogs::Messenger& messages);

}  // namespace app
