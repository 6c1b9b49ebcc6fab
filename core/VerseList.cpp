#include "VerseList.h"

#include "platform/runtime/Strings.h"

VerseList::VerseList() : items_(1, vb::Variant(QString())) {}

void VerseList::Add(const vb::Variant& item) {
    const vb::Variant& first = items_.front();
    if (first.isEmpty() || (first.isString() && first.toString().isEmpty())) {
        items_.front() = item;
    } else {
        items_.push_back(item);
    }
}

void VerseList::Clear() {
    items_.assign(1, vb::Variant(QString()));
}

QString VerseList::ItemText(const vb::Variant& item) {
    return item.isNull() ? QString() : item.toString();
}

bool VerseList::IsBlank(const vb::Variant& item) {
    return vb::Trim(ItemText(item)).isEmpty();
}
