#include "ComboBoxEx.h"

#include <QAbstractItemView>
#include <algorithm>

#include "platform/forms/Fonts.h"
#include "platform/forms/Twips.h"
#include "platform/runtime/RuntimeError.h"

void ComboBoxEx::ComboBox(QComboBox* comboBox) {
    if (comboBox_) {
        comboBox_->disconnect(&connections_);
    }
    comboBox_ = comboBox;
    visible_ = false;
    if (!comboBox_) {
        return;
    }
    comboBox_->hide();
    QObject::connect(comboBox_, &QComboBox::activated, &connections_,
                     [this](int) { ComboBoxClick(); });
}

void ComboBoxEx::Top(int32_t top) {
    if (comboBox_) {
        comboBox_->move(comboBox_->x(), forms::toPixels(top));
    }
}

void ComboBoxEx::Left(int32_t left) {
    if (comboBox_) {
        comboBox_->move(forms::toPixels(left), comboBox_->y());
    }
}

void ComboBoxEx::Width(int32_t width) {
    if (comboBox_) {
        comboBox_->resize(std::max(0, forms::toPixels(width)), comboBox_->height());
    }
}

int ComboBoxEx::SelectionFieldPixels(int32_t height) {
    return height / forms::TwipsPerPixel - 6;
}

void ComboBoxEx::Height(int32_t height) {
    if (comboBox_) {
        comboBox_->setFixedHeight(std::max(1, SelectionFieldPixels(height) + 6));
    }
}

void ComboBoxEx::Font(const QString& name) {
    fontName_ = name;
    applyFont();
}

void ComboBoxEx::FontSize(const vb::Variant& size) {
    try {
        fontSize_ = static_cast<float>(size.toDouble());
    } catch (const vb::RuntimeError&) {
        return;
    }
    applyFont();
}

void ComboBoxEx::applyFont() {
    if (comboBox_) {
        comboBox_->setFont(forms::resolveFont(fontName_, fontSize_));
    }
}

void ComboBoxEx::Visible(bool visible) {
    visible_ = visible;
    if (comboBox_) {
        comboBox_->setVisible(visible);
        if (visible) {
            comboBox_->raise();
        }
    }
}

void ComboBoxEx::ShowList(bool show) {
    if (!comboBox_) {
        return;
    }
    if (show) {
        comboBox_->showPopup();
    } else {
        comboBox_->hidePopup();
    }
}

bool ComboBoxEx::ShowList() const {
    return comboBox_ && comboBox_->view() && comboBox_->view()->isVisible();
}

void ComboBoxEx::AppendList(const vb::Variant& list) {
    Clear();
    list_.SetList(list);
}

void ComboBoxEx::Clear() {
    if (comboBox_) {
        comboBox_->clear();
    }
    list_.Clear();
}

void ComboBoxEx::Redraw() {
    if (!comboBox_) {
        return;
    }
    const QSignalBlocker quiet(comboBox_);
    comboBox_->clear();
    int selected = -1;
    for (const ComboList::Item& item : list_.ShownItems()) {
        if (item.row == list_.ListIndex()) {
            selected = comboBox_->count();
        }
        comboBox_->addItem(item.text, item.row);
    }
    comboBox_->setCurrentIndex(selected);
}

void ComboBoxEx::SetFocus() {
    if (comboBox_ && comboBox_->isVisible() && comboBox_->isEnabled()) {
        comboBox_->setFocus(Qt::OtherFocusReason);
    }
}

void ComboBoxEx::ComboBoxClick() {
    if (!visible_ || !comboBox_ || comboBox_->currentIndex() < 0) {
        return;
    }
    const QVariant row = comboBox_->currentData();
    if (row.isValid()) {
        ListIndex(static_cast<int16_t>(row.toInt()));
    }
}
