#include "MenuLayout.h"

#include "platform/runtime/Strings.h"

namespace MenuLayout {

namespace {

constexpr int32_t Hidden = -1;

int32_t Picture(uint8_t theme, int32_t base) {
    return theme + base;
}

}  // namespace

QChar SupportVariant(const QString& systemId) {
    const QString code = vb::Trim(systemId);
    return code.size() >= 3 ? code.at(2) : QChar();
}

bool PageOf(int16_t menuNo, uint8_t theme, QChar variant, Page& page) {
    page = Page();
    switch (menuNo) {
        case MainMenu:
            page.title = QStringLiteral("メニュー");
            page.titleImage = 1;
            for (int16_t index = 0; index < 5; ++index) {
                page.buttons.push_back({index, Picture(theme, 10 * (index + 1))});
            }
            if (variant == u'O') {
                page.buttons.push_back({5, Picture(theme, 70)});
            } else {
                page.buttons.push_back({5, Picture(theme, 60)});
                page.buttons.push_back({6, Picture(theme, 70)});
            }
            page.buttons.push_back({11, Picture(theme, 80)});
            return true;
        case MaintenanceMenu:
            page.title = QStringLiteral("メンテナンスメニュー");
            page.titleImage = 2;
            for (int16_t index = 0; index < 5; ++index) {
                page.buttons.push_back({index, Picture(theme, 90 + 10 * index)});
            }
            page.buttons.push_back({5, Hidden});
            page.buttons.push_back({6, Hidden});
            page.buttons.push_back({11, Picture(theme, 140)});
            return true;
        case SupportMenu: {
            page.title = QStringLiteral("経営支援メニュー");
            page.titleImage = 3;
            int32_t first = Hidden;
            int32_t second = Hidden;
            if (variant == u'A') {
                first = Picture(theme, 150);
                second = Picture(theme, 160);
            } else if (variant == u'R') {
                first = Picture(theme, 150);
            } else if (variant == u'L') {
                first = Picture(theme, 160);
            }
            page.buttons.push_back({0, first});
            page.buttons.push_back({1, second});
            for (int16_t index = 2; index <= 6; ++index) {
                page.buttons.push_back({index, Hidden});
            }
            page.buttons.push_back({11, Picture(theme, 140)});
            return true;
        }
        default:
            return false;
    }
}

}  // namespace MenuLayout
