#include "GridFixture.h"

#include <QApplication>
#include <QKeyEvent>
#include <QTest>

#include "platform/forms/Twips.h"
#include "platform/runtime/VariantArray.h"

void GridFixture::SetUp() {
    form_.SetDeleteOnUnload(false);
    form_.resize(700, 500);
    body_ = new forms::PictureBox(&form_);
    body_->Move(600, 900, 6000, 3900);
    pages_ = new forms::PictureBox(&form_);
    pages_->Move(3000, 300, 3315, 555);
    editor_ = new QLineEdit(&form_);
    combo_ = new QComboBox(&form_);
    scroll_ = new QScrollBar(Qt::Vertical, &form_);
    forms::placeTwips(scroll_, 6700, 900, 315, 3900);
    form_.Show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form_));
}

void GridFixture::build(int rows, const std::vector<int>& types) {
    grid_.Clear();
    grid_.BodyPictureBox(body_);
    grid_.EditTextBox(editor_);
    grid_.EditComboBox(combo_);
    grid_.VScrollBar(scroll_);
    grid_.PagePictureBox(pages_);
    const auto cols = static_cast<int16_t>(types.size());
    grid_.Rows(static_cast<int16_t>(rows));
    grid_.Cols(cols);
    vb::VariantArray values(rows, cols);
    for (int16_t c = 0; c < cols; ++c) {
        grid_.ColsWidth(c, 2000);
        grid_.ColsType(c, static_cast<int16_t>(types[c]));
        for (int r = 0; r < rows; ++r) {
            values(r, c) = vb::Variant(QStringLiteral("%1-%2").arg(r).arg(c));
        }
    }
    grid_.ValueMatrix(values);
    grid_.Redraw();
}

void GridFixture::record() {
    const auto note = [this](const char* name) {
        return [this, name] {
            log_.push_back(std::string(name) + " " + std::to_string(grid_.Row()) + "," +
                           std::to_string(grid_.Col()) + "=" +
                           grid_.Value(grid_.Row(), grid_.Col()).toStdString());
        };
    };
    events_.push_back(grid_.EnterCell.connect(note("Enter")));
    events_.push_back(grid_.LeaveCell.connect(note("Leave")));
    events_.push_back(grid_.Click.connect(note("Click")));
    events_.push_back(grid_.DblClick.connect(note("DblClick")));
    events_.push_back(grid_.InitCombo.connect(note("InitCombo")));
    events_.push_back(grid_.ClickCombo.connect(note("ClickCombo")));
}

QPoint GridFixture::at(double x, double y) const {
    return body_->contentsRect().topLeft() + QPoint(forms::toPixels(x), forms::toPixels(y));
}

QPoint GridFixture::cellCentre(int row, int col) const {
    return at(col * 2000 + 1000, (row - grid_.TopRow()) * 390 + 195);
}

void GridFixture::press(int row, int col) {
    QTest::mousePress(body_, Qt::LeftButton, Qt::NoModifier, cellCentre(row, col));
}

void GridFixture::click(int row, int col) {
    QTest::mouseClick(body_, Qt::LeftButton, Qt::NoModifier, cellCentre(row, col));
}

void GridFixture::doubleClick(int row, int col) {
    click(row, col);
    QTest::mouseDClick(body_, Qt::LeftButton, Qt::NoModifier, cellCentre(row, col));
    QTest::mouseRelease(body_, Qt::LeftButton, Qt::NoModifier, cellCentre(row, col));
}

QWidget* GridFixture::focused() const {
    QWidget* widget = QApplication::focusWidget();
    return widget != nullptr ? widget : body_;
}

void GridFixture::key(Qt::Key key, Qt::KeyboardModifiers modifiers) {
    QTest::keyClick(focused(), key, modifiers);
}

void GridFixture::silentKey(Qt::Key key) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, QString());
    QCoreApplication::sendEvent(focused(), &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, QString());
    QCoreApplication::sendEvent(focused(), &release);
}

void GridFixture::type(const QString& text) {
    for (const QChar c : text) {
        QTest::keyClicks(focused(), QString(c));
    }
}

long GridFixture::colourAt(double x, double y) const {
    return body_->Point(x, y);
}
