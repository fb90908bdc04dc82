#pragma once

#include <QDialog>
#include <QStringList>
#include <array>
#include <optional>
#include <string>

#include "data/readers.h"
#include "data/zones.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QSpinBox;

namespace dialogs {

class Messenger;

// `FormColumns`, "列の指定": which columns of a CSV file hold which quantity, and its encoding,
// where the reader could not tell. The preview shows the file's first lines decoded in the
// encoding chosen (decoded again whenever the choice changes; a text that is not in that
// encoding is said to be so, never shown garbled). Each role's combo lists "なし" and the fields
// of the header line; the order of year, month and day is 自動 (from the rows) or as chosen.
// "OK" needs two of the five state columns, each column at most once.
class ColumnDialog : public QDialog {
    Q_OBJECT
  public:
    explicit ColumnDialog(Messenger& messages, QWidget* parent = nullptr);

    // Shows the dialog for a file that starts with `bytes` (the first lines are enough), its
    // preview in `encoding` (without one: UTF-8 where the lines are UTF-8, else Shift-JIS),
    // every role on "なし", and brings it forward.
    void showFor(std::string bytes, std::optional<data::Encoding> encoding);
    // The same, its controls set to `preset` (a column past the header's fields left on
    // "なし"); the pressure column, which the dialog does not show, is handed on as it was while
    // the header line stays the one of the preset.
    void showChoice(std::string bytes, const data::CsvChoice& preset);

    // The roles in the order of their combos: t, φ, x, t′, dew point, date/time, date, time.
    static constexpr std::size_t kRoles = 8;

  signals:
    // "OK" with columns that passed the checks.
    void chosen(const data::CsvChoice& choice);

  private:
    void showPreview();  // decodes the lines again and refills the combos
    void accept() override;
    [[nodiscard]] data::Encoding encoding() const;

    Messenger& messages_;
    std::string bytes_;  // the head of the file
    data::ColumnChoice preset_;
    bool decodes_ = false;

    QComboBox* ComboEncoding = nullptr;
    QPlainTextEdit* TextPreview = nullptr;
    QSpinBox* SpinHeader = nullptr;  // 1-based header line, 0 for none
    std::array<QComboBox*, kRoles> ComboRoles{};
    QComboBox* ComboDateOrder = nullptr;  // 自動, 年月日, 月日年, 日月年
    QCheckBox* CheckGrams = nullptr;
    QCheckBox* CheckFahrenheit = nullptr;
    QPushButton* CommandOK = nullptr;
    QPushButton* CommandCancel = nullptr;
};

// `FormZone`, "ゾーン": one zone, either a range of dry bulb and relative or absolute humidity
// (x shown in g/kg(DA)) or the comfort zone of a |PMV| limit. Two buttons fill the range from
// the building hygiene law and a summer range in the manner of ASHRAE 55. "OK" checks every
// number and says which one is wrong; a zone that passes is handed on.
class ZoneDialog : public QDialog {
    Q_OBJECT
  public:
    explicit ZoneDialog(Messenger& messages, QWidget* parent = nullptr);

    // Shows the dialog with its controls set to `zone`, and brings it forward.
    void showFor(const data::Zone& zone);

  signals:
    // "OK" with a zone that passed every check.
    void accepted(const data::Zone& zone);

  private:
    void fill(const data::Zone& zone);
    void fillRange(const data::RangeZone& zone);
    void showKind();  // enables the controls of the kind chosen
    void accept() override;

    Messenger& messages_;
    QRadioButton* OptionRange = nullptr;
    QRadioButton* OptionPmv = nullptr;
    QLineEdit* TextName = nullptr;
    QLineEdit* TextTLow = nullptr;
    QLineEdit* TextTHigh = nullptr;
    QRadioButton* OptionPhi = nullptr;
    QRadioButton* OptionX = nullptr;
    QLineEdit* TextHumidityLow = nullptr;  // φ in %, or x in g/kg(DA)
    QLineEdit* TextHumidityHigh = nullptr;
    QPushButton* CommandHygiene = nullptr;
    QPushButton* CommandAshrae = nullptr;
    QLineEdit* TextMet = nullptr;
    QLineEdit* TextClo = nullptr;
    QLineEdit* TextVel = nullptr;
    QLineEdit* TextTr = nullptr;  // empty: the air's own temperature
    QLineEdit* TextLimit = nullptr;
    QPushButton* CommandOK = nullptr;
    QPushButton* CommandCancel = nullptr;
};

}  // namespace dialogs
