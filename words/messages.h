#pragma once

#include <array>
#include <charconv>
#include <string>

#include "psychro/air_handling.h"
#include "psychro/air_state.h"
#include "psychro/comfort.h"
#include "psychro/humidifying.h"
#include "psychro/saturation.h"

// Every Japanese message the program shows or writes, and the text for each refusal of the
// numeric core. Free of Qt, so that the dialogs, milten-cli and the fuzz targets use the same
// words; a dialog turns a text into a QString with dialogs::message.
namespace words {

// Title of every message box but the version box.
inline constexpr char16_t kApplicationTitle[] = u"ミルテン";

// The air-state solver `ih`, and the point dialog's press with every box empty.
inline constexpr char16_t kGiveTwoProperties[] = u"空気の状態量を二つ入力してください。";
inline constexpr char16_t kPairTextEmpty[] = u"空気の状態量を二つ入力しましたか。";
inline constexpr char16_t kCheckTwoBoxes[] = u"入力値前のチェックボックスをチェックして下さい。";
inline constexpr char16_t kNotANumber[] = u"数値を入力してください。";
inline constexpr char16_t kNoAirState[] = u"入力した値では空気の状態が求まりません。";
inline constexpr char16_t kEnthalpyVolumeMismatch[] =
    u"入力したエンタルピと比容積の値が正しいかどうかをチェックしてください。";
inline constexpr char16_t kWetBulbVolumeMismatch[] =
    u"入力した湿球温度と比容積の値が正しいかどうかをチェックしてください。";

// The process dialogs (mixing, cooling, heating, humidifying).
inline constexpr char16_t kGiveAirQuantity[] = u"空気量を入力してください。";
inline constexpr char16_t kGiveNextPoint[] = u"次を入力してください。";
inline constexpr char16_t kGiveNextState[] = u"次の空気状態を指定してください。";
// A result too large for the chart or for a number box (an absurd quantity or temperature).
inline constexpr char16_t kNoResult[] = u"入力した値では計算できません。";

// Humidifying.
inline constexpr char16_t kSteamTemperature[] = u"蒸気温度は100℃以上を入力してください。";
inline constexpr char16_t kWaterTemperature[] = u"水温は0～100℃の範囲で入力してください。";
inline constexpr char16_t kTargetAbove100[] = u"加湿後の相対湿度は100％以下を入力してください。";
inline constexpr char16_t kTargetNotAbove[] =
    u"加湿後の相対湿度は点1の相対湿度より高い値を入力してください。";
inline constexpr char16_t kUnreachable[] = u"この加湿では指定した相対湿度に達しません。";

// PMV/PPD and the discomfort index.
inline constexpr char16_t kSixConditionsEmpty[] = u"六つの計算条件を全部入力しましたか。";
inline constexpr char16_t kTwoConditionsEmpty[] = u"二つの計算条件を全部入力しましたか。";
inline constexpr char16_t kNegativeAirVelocity[] = u"空気流速には0以上の値を入力してください。";
inline constexpr char16_t kNegativeClothing[] = u"着衣量には0以上の値を入力してください。";
inline constexpr char16_t kNonPositiveMetabolicRate[] =
    u"代謝量には0より大きい値を入力してください。";
inline constexpr char16_t kHumidityOutOfRange[] =
    u"相対湿度には0から100までの値を入力してください。";
inline constexpr char16_t kAirBelowAbsoluteZero[] = u"温度には-273℃より高い値を入力してください。";
inline constexpr char16_t kRadiantBelowAbsoluteZero[] =
    u"放射温度には-273℃より高い値を入力してください。";
inline constexpr char16_t kPmvNoConvergence[] =
    u"着衣の表面温度が求まりませんでした。計算条件を確かめてください。";
inline constexpr char16_t kPmvNoResult[] = u"この計算条件ではPMVが求まりません。";
inline constexpr char16_t kRoomAirNoState[] = u"この温度と相対湿度では空気の状態が求まりません。";
// Shown after the results when the conditions or the vote leave ISO 7730's ranges; %1 lists
// them.
inline constexpr char16_t kOutsideIsoRanges[] =
    u"次の値がISO 7730の適用範囲の外にあります：%1。表示したPMVとPPDは範囲外への外挿による"
    u"参考値です。";
inline constexpr char16_t kWetBulbAboveDryBulb[] = u"湿球温度には温度以下の値を入力してください。";
inline constexpr char16_t kWetBulbAtBoiling[] = u"湿球温度には100℃未満の値を入力してください。";
inline constexpr char16_t kNegativeHumidity[] =
    u"この温度と湿球温度では絶対湿度が負になります。湿球温度を確かめてください。";
inline constexpr char16_t kDiscomfortNoState[] =
    u"この温度と湿球温度では空気の状態が求まりません。";

// Mistakes only a typed NAME=VALUE list can make (the dialogs' check boxes rule them out).
inline constexpr char16_t kUnknownName[] =
    u"状態量は x, i, t, tw, v, phi のいずれかを 名前=値 の形で入力してください。";
inline constexpr char16_t kSameTwice[] = u"異なる二つの状態量を入力してください。";
inline constexpr char16_t kTwoStates[] =
    u"二つの空気状態を 名前=値,名前=値 の形で、空白で区切って入力してください。";

// The settings dialog, and the main window when a setting changed.
inline constexpr char16_t kPressureNotANumber[] = u"大気圧は数値で入力してください。";
inline constexpr char16_t kAltitudeNotANumber[] = u"標高は数値で入力してください。";
inline constexpr char16_t kSettingsRedrawn[] = u"設定を変更しました。チャートを描き直しました。";
inline constexpr char16_t kSettingsChanged[] =
    u"設定を変更しました。次にチャートを描くときから使われます。";

// The air-handling design (空調設計).
inline constexpr char16_t kDesignSensibleLoad[] = u"顕熱負荷には0より大きい値を入力してください。";
inline constexpr char16_t kDesignLatentLoad[] = u"潜熱負荷には0以上の値を入力してください。";
inline constexpr char16_t kDesignOutdoorRatio[] = u"外気率は0～100％の範囲で入力してください。";
inline constexpr char16_t kDesignSupplyDifference[] =
    u"吹出し温度差には0.01以上の値を入力してください。";
inline constexpr char16_t kDesignBypassFactor[] =
    u"バイパスファクタは0以上1未満の値を入力してください。";
inline constexpr char16_t kDesignSteamTemperature[] =
    u"蒸気温度はこの大気圧での沸点以上を入力してください。";
inline constexpr char16_t kDesignSupplyImpossible[] =
    u"この吹出し温度差では室内の状態を保てません（吹出し空気の状態が求まりません）。";
inline constexpr char16_t kDesignCoilCannotMake[] =
    u"混合空気を冷却コイルで吹出し空気の状態にすることはできません。";
inline constexpr char16_t kDesignNoSaturationCrossing[] =
    u"コイルの状態線が線図の範囲で飽和曲線と交わりません（装置露点が求まりません）。";
inline constexpr char16_t kDesignCoilOutletTooWarm[] =
    u"このバイパスファクタではコイル出口が吹出し温度より高くなります。";
inline constexpr char16_t kDesignHumidifierCannotDry[] =
    u"吹出し空気が混合空気より乾いています。加湿器では減湿できません。";
inline constexpr char16_t kDesignHeaterCannotCool[] =
    u"加熱後の状態が混合空気より低くなります。加熱器では冷却できません。";

// A solver failure: the two volume pairs have their own text, every other failure is "no
// state".
[[nodiscard]] constexpr const char16_t* solveErrorText(psychro::SolveError error) {
    switch (error) {
        case psychro::SolveError::EnthalpyVolumeMismatch:
            return kEnthalpyVolumeMismatch;
        case psychro::SolveError::WetBulbVolumeMismatch:
            return kWetBulbVolumeMismatch;
        case psychro::SolveError::SameProperty:
        case psychro::SolveError::NoState:
            break;
    }
    return kNoAirState;
}

// A refusal of psychro::humidify.
[[nodiscard]] constexpr const char16_t* humidifyErrorText(psychro::HumidifyError error) {
    switch (error) {
        case psychro::HumidifyError::AirQuantity:
            return kGiveAirQuantity;
        case psychro::HumidifyError::SteamTemperature:
            return kSteamTemperature;
        case psychro::HumidifyError::WaterTemperature:
            return kWaterTemperature;
        case psychro::HumidifyError::TargetAbove100:
            return kTargetAbove100;
        case psychro::HumidifyError::TargetNotAbove:
            return kTargetNotAbove;
        case psychro::HumidifyError::Unreachable:
            break;
    }
    return kUnreachable;
}

// A refusal of psychro::designCooling or psychro::designHeating.
[[nodiscard]] constexpr const char16_t* designErrorText(psychro::DesignError error) {
    switch (error) {
        case psychro::DesignError::SensibleLoad:
            return kDesignSensibleLoad;
        case psychro::DesignError::LatentLoad:
            return kDesignLatentLoad;
        case psychro::DesignError::OutdoorRatio:
            return kDesignOutdoorRatio;
        case psychro::DesignError::SupplyDifference:
            return kDesignSupplyDifference;
        case psychro::DesignError::BypassFactor:
            return kDesignBypassFactor;
        case psychro::DesignError::SteamTemperature:
            return kDesignSteamTemperature;
        case psychro::DesignError::WaterTemperature:
            return kWaterTemperature;
        case psychro::DesignError::NoRoomState:
            return kNoAirState;
        case psychro::DesignError::SupplyImpossible:
            return kDesignSupplyImpossible;
        case psychro::DesignError::CoilCannotMake:
            return kDesignCoilCannotMake;
        case psychro::DesignError::NoSaturationCrossing:
            return kDesignNoSaturationCrossing;
        case psychro::DesignError::CoilOutletTooWarm:
            return kDesignCoilOutletTooWarm;
        case psychro::DesignError::HumidifierCannotDry:
            return kDesignHumidifierCannotDry;
        case psychro::DesignError::BeyondChart:
            return kNoResult;
        case psychro::DesignError::HeaterCannotCool:
            break;
    }
    return kDesignHeaterCannotCool;
}

// A refusal of psychro::PMVS.
[[nodiscard]] constexpr const char16_t* pmvFailureText(psychro::PmvFailure failure) {
    switch (failure) {
        case psychro::PmvFailure::NegativeAirVelocity:
            return kNegativeAirVelocity;
        case psychro::PmvFailure::NegativeClothing:
            return kNegativeClothing;
        case psychro::PmvFailure::NonPositiveMetabolicRate:
            return kNonPositiveMetabolicRate;
        case psychro::PmvFailure::HumidityOutOfRange:
            return kHumidityOutOfRange;
        case psychro::PmvFailure::AirBelowAbsoluteZero:
            return kAirBelowAbsoluteZero;
        case psychro::PmvFailure::RadiantBelowAbsoluteZero:
            return kRadiantBelowAbsoluteZero;
        case psychro::PmvFailure::NoConvergence:
            return kPmvNoConvergence;
        case psychro::PmvFailure::NoResult:
            break;
    }
    return kPmvNoResult;
}

// The name of an ISO 7730 range in the warning kOutsideIsoRanges.
[[nodiscard]] constexpr const char16_t* isoRangeName(psychro::IsoRange range) {
    switch (range) {
        case psychro::IsoRange::MetabolicRate:
            return u"代謝量（0.8～4 met）";
        case psychro::IsoRange::Clothing:
            return u"着衣量（0～2 clo）";
        case psychro::IsoRange::AirTemperature:
            return u"温度（10～30℃）";
        case psychro::IsoRange::RadiantTemperature:
            return u"放射温度（10～40℃）";
        case psychro::IsoRange::AirVelocity:
            return u"空気流速（0～1 m/s）";
        case psychro::IsoRange::VapourPressure:
            return u"水蒸気分圧（0～2700 Pa）";
        case psychro::IsoRange::Vote:
            break;
    }
    return u"PMV（-2～2）";
}

// A refusal of the discomfort index's room air.
[[nodiscard]] constexpr const char16_t* discomfortFailureText(psychro::DiscomfortFailure failure) {
    switch (failure) {
        case psychro::DiscomfortFailure::WetBulbAboveDryBulb:
            return kWetBulbAboveDryBulb;
        case psychro::DiscomfortFailure::WetBulbAtBoiling:
            return kWetBulbAtBoiling;
        case psychro::DiscomfortFailure::NegativeHumidity:
            return kNegativeHumidity;
        case psychro::DiscomfortFailure::NoAirState:
            break;
    }
    return kDiscomfortNoState;
}

// A boiling point as the messages state it: rounded to a tenth of a degree, without a trailing
// ".0" (100 at 760 mmHg, 95 at 1,500 m, 83.3 at 5,000 m).
[[nodiscard]] inline std::u16string boilingPointText(double celsius) {
    std::array<char, 32> buffer{};
    const auto written = std::to_chars(buffer.data(), buffer.data() + buffer.size(), celsius,
                                       std::chars_format::fixed, 1);
    std::string text(buffer.data(), written.ptr);
    if (text.ends_with(".0")) {
        text.resize(text.size() - 2);
    }
    return {text.begin(), text.end()};
}

// humidifyErrorText at the pressure ratio r: steam must reach the site's boiling point.
[[nodiscard]] inline std::u16string humidifyErrorMessage(psychro::HumidifyError error,
                                                         psychro::PressureRatio pressureRatio) {
    if (error == psychro::HumidifyError::SteamTemperature) {
        return u"蒸気温度は" + boilingPointText(psychro::boilingPoint(pressureRatio)) +
               u"℃以上を入力してください。";
    }
    return humidifyErrorText(error);
}

// designErrorText at the pressure ratio r: steam must reach the site's boiling point, which the
// message states (100 ℃ at 760 mmHg, 95 ℃ at 1,500 m).
[[nodiscard]] inline std::u16string designErrorMessage(psychro::DesignError error,
                                                       psychro::PressureRatio pressureRatio) {
    if (error == psychro::DesignError::SteamTemperature) {
        return u"蒸気温度は" + boilingPointText(psychro::boilingPoint(pressureRatio)) +
               u"℃以上を入力してください。";
    }
    return designErrorText(error);
}

// discomfortFailureText at the pressure ratio r: the wet bulb must stay below the site's
// boiling point.
[[nodiscard]] inline std::u16string discomfortFailureMessage(psychro::DiscomfortFailure failure,
                                                             psychro::PressureRatio pressureRatio) {
    if (failure == psychro::DiscomfortFailure::WetBulbAtBoiling) {
        return u"湿球温度には" + boilingPointText(psychro::boilingPoint(pressureRatio)) +
               u"℃未満の値を入力してください。";
    }
    return discomfortFailureText(failure);
}

// The marked work: the state list and its entries' kinds and results.
inline constexpr char16_t kStateListTitle[] = u"状態点一覧";
inline constexpr char16_t kStateListHeaders[] =
    u"記号\t種類\tx [kg/kg(DA)]\ti [%1]\tt [℃]\tt′ [℃]\tv [m3/kg(DA)]\tφ [％]\t露点 [℃]";
inline constexpr char16_t kRoomAirLabel[] = u"室内空気";
inline constexpr char16_t kKindPoint[] = u"点指定";
inline constexpr char16_t kKindProcessStart[] = u"混合・冷却の点1";
inline constexpr char16_t kKindMixing[] = u"混合";
inline constexpr char16_t kKindCooling[] = u"冷却";
inline constexpr char16_t kKindHeating[] = u"加熱";
inline constexpr char16_t kKindSteam[] = u"蒸気加湿";
inline constexpr char16_t kKindWaterSpray[] = u"水噴霧加湿";
inline constexpr char16_t kKindPmv[] = u"PMV";
inline constexpr char16_t kKindDiscomfort[] = u"不快指数";
inline constexpr char16_t kKindCoolingDesign[] = u"冷房設計";
inline constexpr char16_t kKindReheatDesign[] = u"冷房設計（再熱）";
inline constexpr char16_t kKindHeatingDesign[] = u"暖房設計";
// Results beneath the list; %1, %2 are numbers in the dialogs' forms.
inline constexpr char16_t kMixingResult[] = u"混合：混合点 x %1 kg/kg(DA)、i %2 %3";
inline constexpr char16_t kCoolingResult[] = u"冷却：冷却量 %1 %2";
inline constexpr char16_t kHeatingResult[] = u"加熱：加熱量 %1 %2";
inline constexpr char16_t kHumidifyingResult[] = u"%1：加湿量 %2 kg/h";
inline constexpr char16_t kPmvResult[] = u"PMV：PMV %1、PPD %2 ％";
inline constexpr char16_t kDiscomfortResult[] = u"不快指数：%1、不快に感じる人の割合 %2 ％";
// %1 the kind, %2 the figures joined by "、".
inline constexpr char16_t kDesignResult[] = u"%1：%2";

// Project files and the recovery of unsaved work.
inline constexpr char16_t kProjectFilter[] = u"ミルテン プロジェクト (*.milten)";
inline constexpr char16_t kOpenFailed[] = u"「%1」を開けません。%2";
inline constexpr char16_t kSaveFailed[] = u"「%1」に保存できません。%2";
inline constexpr char16_t kFileUnreadable[] = u"ファイルを読めません。";
inline constexpr char16_t kProjectNotJson[] = u"JSON形式ではないか、途中で切れています。";
inline constexpr char16_t kProjectNotProject[] = u"ミルテンのプロジェクトファイルではありません。";
inline constexpr char16_t kProjectNewer[] = u"新しいバージョンのミルテンで保存されたファイルです。";
inline constexpr char16_t kProjectMissing[] = u"必要な項目がないか、形が違います（%1）。";
inline constexpr char16_t kProjectImpossible[] = u"ありえない値があります（%1）。";
inline constexpr char16_t kProjectBeyondReach[] = u"線図から遠く離れた点があります（%1）。";
inline constexpr char16_t kProjectTooLarge[] = u"ファイルが大きすぎます。";
inline constexpr char16_t kProjectDataRows[] = u"データの行が壊れています（%1）。";
inline constexpr char16_t kProjectDataTooLarge[] = u"データが大きすぎます（%1）。";
// The calculation report: its file dialog's kinds and the title block's refusal (%1 the box,
// %2 the most characters it takes).
inline constexpr char16_t kReportFilter[] = u"PDF (*.pdf);;HTML (*.html)";
inline constexpr char16_t kTitleTooLong[] = u"%1は%2文字以内で入力してください。";
inline constexpr char16_t kReportKinds[] =
    u"計算書はPDF（.pdf）かHTML（.html）で出力してください。";
inline constexpr char16_t kExportFilter[] =
    u"PDF (*.pdf);;SVG (*.svg);;PNG (*.png);;CSV（状態点一覧） (*.csv)";
inline constexpr char16_t kExportKinds[] =
    u"エクスポートできるのは PDF、SVG、PNG（線図）と CSV（状態点一覧）です。";
inline constexpr char16_t kRestoreQuestion[] =
    u"前回保存されなかった作業があります。復元しますか？";

// The steps of the undo history, one text for each kind, and the window's title.
inline constexpr char16_t kStepMark[] = u"点の記入";
inline constexpr char16_t kStepDrawChart[] = u"線図の描画";
inline constexpr char16_t kStepSettings[] = u"設定の変更";
inline constexpr char16_t kStepOpen[] = u"ファイルを開く";
inline constexpr char16_t kStepRecover[] = u"作業の復元";
inline constexpr char16_t kStepAddData[] = u"データを重ねる";
inline constexpr char16_t kStepRemoveData[] = u"データの削除";
inline constexpr char16_t kStepShowData[] = u"データの表示";
inline constexpr char16_t kStepZones[] = u"ゾーンの変更";
inline constexpr char16_t kStepColumns[] = u"列の指定";
inline constexpr char16_t kStepTitle[] = u"表題の変更";
inline constexpr char16_t kDataDockTitle[] = u"データ";
inline constexpr char16_t kDataFilter[] =
    u"測定・気象データ (*.csv *.tsv *.txt *.epw);;すべてのファイル (*)";
// %1 the site, %2 its elevation in metres.
inline constexpr char16_t kDataElevationQuestion[] =
    u"「%1」の標高は %2 m です。大気圧をこの標高の値に合わせますか？";
inline constexpr char16_t kDataElevationMarksGo[] =
    u"\n（記入した点は消えます。元に戻すで戻せます。）";
inline constexpr char16_t kDataPressureSet[] = u"大気圧を標高 %1 m の値にしました。";
inline constexpr char16_t kDataColumnsRemembered[] =
    u"同じ見出しのファイルで選んだ列で読みました（変えるときは「列の指定...」）。";
inline constexpr char16_t kZoneCountHeader[] =
    u"データ\tゾーン\t行数\t範囲内\t割合(%)\t時間(h)\t絞り込み";
inline constexpr char16_t kProgramTitle[] = u"湿りミルテン";
inline constexpr char16_t kUntitled[] = u"無題";
// %1 is the file name (or kUntitled), "[*]" the place of the modified mark.
inline constexpr char16_t kDocumentTitle[] = u"%1[*] - 湿りミルテン";
// ヘルプ → 使い方ガイド: %1 is where the guide was looked for, or the guide's file.
inline constexpr char16_t kGuideMissing[] =
    u"使い方ガイドが見つかりません。インストールを確かめてください。（%1）";
inline constexpr char16_t kGuideNotOpened[] =
    u"使い方ガイドを開けませんでした。ブラウザで %1 を開いてください。";

}  // namespace words
