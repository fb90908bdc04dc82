#pragma once

#include "psychro/humidifying.h"

// The process dialogs' own messages, free of Qt so that milten-cli writes the same texts.
namespace dialogs {

inline constexpr char16_t kGiveAirQuantity[] = u"空気量を入力してください。";
inline constexpr char16_t kGiveNextPoint[] = u"次を入力してください。";
inline constexpr char16_t kGiveNextState[] = u"次の空気状態を指定してください。";
// A result too large for the chart or for a number box (an absurd quantity or temperature).
inline constexpr char16_t kNoResult[] = u"入力した値では計算できません。";

// The humidifying dialog's messages.
inline constexpr char16_t kSteamTemperature[] = u"蒸気温度は100℃以上を入力してください。";
inline constexpr char16_t kWaterTemperature[] = u"水温は0～100℃の範囲で入力してください。";
inline constexpr char16_t kTargetAbove100[] = u"加湿後の相対湿度は100％以下を入力してください。";
inline constexpr char16_t kTargetNotAbove[] =
    u"加湿後の相対湿度は点1の相対湿度より高い値を入力してください。";
inline constexpr char16_t kUnreachable[] = u"この加湿では指定した相対湿度に達しません。";

// The message for each refusal of psychro::humidify.
[[nodiscard]] constexpr const char16_t* humidifyErrorMessage(psychro::HumidifyError error) {
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

}  // namespace dialogs
