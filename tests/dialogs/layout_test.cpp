// Every dialog, whoever chose its geometry, keeps its controls inside their frames, apart from
// each other and under names given once.
#include <gtest/gtest.h>

#include <QDialog>
#include <functional>
#include <memory>

#include "chart/picture.h"
#include "dialog_driver.h"
#include "dialogs/comfort_dialogs.h"
#include "dialogs/humidifying_dialog.h"
#include "dialogs/messages.h"
#include "dialogs/point_dialog.h"
#include "dialogs/process_dialogs.h"

namespace {

TEST(DialogLayout, EveryDialogIsSound) {
    chart::Picture picture;
    dialogs::RecordedMessages messages;
    using Make = std::function<std::unique_ptr<QDialog>()>;
    const Make makers[] = {
        [&] { return std::make_unique<dialogs::PointDialog>(picture, messages); },
        [&] { return std::make_unique<dialogs::MixingCoolingDialog>(picture, messages); },
        [&] { return std::make_unique<dialogs::HeatingDialog>(picture, messages); },
        [&] { return std::make_unique<dialogs::PmvDialog>(picture, messages); },
        [&] { return std::make_unique<dialogs::DiscomfortDialog>(picture, messages); },
        [&] { return std::make_unique<dialogs::HumidifyingDialog>(picture, messages); },
    };
    for (const Make& make : makers) {
        const std::unique_ptr<QDialog> dialog = make();
        dialog->show();
        EXPECT_EQ(dialog_driver::layoutFaults(*dialog), "") << dialog->objectName().toStdString();
    }
}

}  // namespace
