#pragma once

#include <QString>
#include <vector>

#include "words/messages.h"

// Every message the program shows goes through a Messenger: the program shows message boxes,
// tests record what would have been shown and never block.
namespace dialogs {

// A message text kept as a UTF-16 literal, as a QString.
[[nodiscard]] inline QString message(const char16_t* text) {
    return QString::fromUtf16(text);
}

class Messenger {
  public:
    virtual ~Messenger() = default;
    // A message under the application's title, OK only, no icon.
    void show(const QString& text) { present(QString::fromUtf16(words::kApplicationTitle), text); }
    // A message under its own title, OK only, no icon.
    void show(const QString& title, const QString& text) { present(title, text); }
    // A yes/no question under the application's title; true for yes.
    [[nodiscard]] bool ask(const QString& text) {
        return question(QString::fromUtf16(words::kApplicationTitle), text);
    }

  protected:
    virtual void present(const QString& title, const QString& text) = 0;
    virtual bool question(const QString& title, const QString& text) = 0;
};

// Modal message boxes over the active window.
class MessageBoxes final : public Messenger {
  protected:
    void present(const QString& title, const QString& text) override;
    bool question(const QString& title, const QString& text) override;
};

// Keeps the messages instead of showing them.
class RecordedMessages final : public Messenger {
  public:
    struct Message {
        QString title;
        QString text;
    };
    [[nodiscard]] const std::vector<Message>& messages() const { return messages_; }
    [[nodiscard]] QStringList texts() const;
    void clear() { messages_.clear(); }
    // The answer every question gets from now on (no, until told otherwise). A question is
    // recorded among the messages like any other text.
    void setAnswer(bool yes) { answer_ = yes; }

  protected:
    void present(const QString& title, const QString& text) override;
    bool question(const QString& title, const QString& text) override;

  private:
    std::vector<Message> messages_;
    bool answer_ = false;
};

}  // namespace dialogs
