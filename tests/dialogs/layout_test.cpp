// Every dialog, whoever chose its geometry, keeps its controls inside their frames, apart from
// each other and under names given once.
#include <gtest/gtest.h>

#include <QDialog>
#include <functional>
#include <memory>

#include "dialog_driver.h"
#include "dialogs/comfort_dialogs.h"
#include "dialogs/humidifying_dialog.h"
#include "dialogs/messages.h"
#include "dialogs/point_dialog.h"
#include "dialogs/process_dialogs.h"

namespace {

TEST(DialogLayout, EveryDialogIsSound) {
    dialogs::RecordedMessages messages;
    using Make = std::function<std::unique_ptr<QDialog>()>;
    const Make makers[] = {
        [&] { return std::make_unique<dialogs::PointDialog>(messages); },
        [&] { return std::make_unique<dialogs::MixingCoolingDialog>(messages); },
        [&] { return std::make_unique<dialogs::HeatingDialog>(messages); },
        [&] { return std::make_unique<dialogs::PmvDialog>(messages); },
        [&] { return std::make_unique<dialogs::DiscomfortDialog>(messages); },
        [&] { return std::make_unique<dialogs::HumidifyingDialog>(messages); },
    };
    for (const Make& make : makers) {
        const std::unique_ptr<QDialog> dialog = make();
        dialog->show();
        EXPECT_EQ(dialog_driver::layoutFaults(*dialog), "") << dialog->objectName().toStdString();
    }
}

}  // namespace
