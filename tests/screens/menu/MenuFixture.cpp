#include "MenuFixture.h"

#include <QTest>

#include "controls/MenuGeometry.h"
#include "core/MainModule.h"
#include "core/XXCommonFunctions.h"
#include "platform/forms/Form.h"
#include "platform/forms/Twips.h"
#include "screens/menu/frmMenu.h"
#include "tests/support/TestRows.h"

void MenuFixture::SetUp() {
    MasterFixture::SetUp();
    unloadAll();
    MainModule::SystemId = QStringLiteral("NEO000001");
    MainModule::PictureFlg = 0;
    MainModule::HasClassifications = false;
    MainModule::HasProducts = false;
    MainModule::HasCloseDate = false;
}

void MenuFixture::TearDown() {
    unloadAll();
    MasterFixture::TearDown();
}

void MenuFixture::unloadAll() {
    XX共通関数::CloseHelpFile();
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (auto* form = dynamic_cast<forms::Form*>(widget); form != nullptr && form->Loaded()) {
            form->Hide();
            form->Unload();
        }
    }
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void MenuFixture::clickButton(int16_t index) {
    forms::Form* window = frmMenu.Window();
    ASSERT_NE(window, nullptr);
    const double x = MenuGeometry::ButtonLeft(index) + MenuGeometry::BoxWidth / 2;
    const double y = MenuGeometry::ButtonTop(index) + MenuGeometry::BoxHeight / 2;
    window->MouseMove(0, 0, x, y);
    QTest::mouseClick(window, Qt::LeftButton, Qt::NoModifier,
                      QPoint(forms::toPixels(x), forms::toPixels(y)));
}

void MenuFixture::insertMasters() const {
    insert("ClassifyMast_tbl", {"Classify_No", "Classify_Name"}, makeRows({{"'001'", "'文具'"}}));
    insert("TradeMast_tbl", {"Classify_No", "Trade_No", "Trade_Name"},
           makeRows({{"'001'", "'0001'", "'ペン'"}}));
}

namespace {

struct Poll {
    std::function<bool()> attempt;
    int attempts = 0;
};

void pollAgain(const std::shared_ptr<Poll>& poll) {
    if (poll->attempt()) {
        return;
    }
    if (++poll->attempts < 300) {
        QTimer::singleShot(10, [poll] { pollAgain(poll); });
    } else {
        ADD_FAILURE() << "the window was not shown";
    }
}

}  // namespace

void MenuFixture::poll(std::function<bool()> attempt) {
    auto state = std::make_shared<Poll>(Poll{std::move(attempt), 0});
    QTimer::singleShot(0, [state] { pollAgain(state); });
}

void MenuFixture::hideIfStillShown(QWidget* window) {
    QTimer::singleShot(3000, window, [window] {
        if (window->isVisible()) {
            ADD_FAILURE() << "the window is still shown";
            window->hide();
        }
    });
}
