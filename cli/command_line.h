#pragma once

#include <QCommandLineParser>
#include <QString>
#include <QStringList>
#include <expected>
#include <optional>
#include <span>
#include <string_view>

#include "chart/settings.h"

// The options of `milten-cli`, declared once each, and the command line read by them: one
// parser, one check that an option belongs to the command, and one reader for each kind of value
// (a text given at most once, a number a command needs).
namespace cli {

inline constexpr int kOk = 0;
inline constexpr int kSomeFailed = 1;
inline constexpr int kUsage = 2;

// What follows an option's name.
enum class Takes {
    Nothing,  // a switch: --join
    Text,     // --output=FILE
    Number,   // --air=G, read as the dialogs' text boxes read a number (words::readNumber)
};

// One option. Its value name stands in --help and in the messages ("--air=G is missing"); the
// commands that take it are named with blanks between, in the order a message lists them
// ("--zone belongs to the data and chart commands"); an option that names none goes with every
// command. The help is its text in --help: the first line beside the option, the others under
// it; a text that starts with a line break starts under the option.
struct OptionSpec {
    std::string_view name;
    std::string_view letter;  // the one-letter name ("o" for -o), or empty
    std::string_view valueName;
    Takes takes;
    std::string_view commands;
    std::string_view help;
};

// Every option, in the order of --help.
[[nodiscard]] std::span<const OptionSpec> optionSpecs();

// The options' part of --help.
[[nodiscard]] QString optionsHelp();

// Writes "milten-cli: TEXT" and a line end to standard error and answers `status`.
int refuse(const QString& text, int status = kUsage);

// 'text'
[[nodiscard]] QString quoted(const QString& text);

// "a", "a and b", "a, b and c" (or with "or").
[[nodiscard]] QString listed(const QStringList& names, QLatin1StringView conjunction);

// The command line as the options read it.
class CommandLine {
  public:
    CommandLine();

    // False with the parser's message when an option is unknown or lacks its value.
    [[nodiscard]] std::expected<void, QString> parse(const QStringList& arguments);

    [[nodiscard]] bool isSet(std::string_view option) const;
    [[nodiscard]] QStringList values(std::string_view option) const;
    // The last value given, or an empty text.
    [[nodiscard]] QString value(std::string_view option) const;
    [[nodiscard]] QStringList positional() const;

    // The usage message for the first option set that `command` does not take.
    [[nodiscard]] std::optional<QString> strayOption(std::string_view command) const;

    // The one value of an option given at most once: "give --units once".
    [[nodiscard]] std::expected<std::optional<QString>, QString> single(
        std::string_view option) const;

    // The value of an option `command` needs, given once: "design: --dt=DT is missing".
    [[nodiscard]] std::expected<QString, QString> required(std::string_view option,
                                                           std::string_view command) const;

    // The number of an option `command` needs, given once and read as a text box reads it:
    // "heat: --to takes a number, not 'warm'".
    [[nodiscard]] std::expected<double, QString> requiredNumber(std::string_view option,
                                                                std::string_view command) const;

    // The format of --format among `names` (blank-separated, the first the default): "unknown
    // format 'xml' (text, csv or json)".
    [[nodiscard]] std::expected<QString, QString> format(std::string_view names) const;

    // The units of --units and the pressure of --pressure or --altitude.
    [[nodiscard]] std::expected<chart::Settings, QString> settings() const;

  private:
    QCommandLineParser parser_;
};

}  // namespace cli
