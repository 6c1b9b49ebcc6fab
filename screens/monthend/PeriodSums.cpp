#include "PeriodSums.h"

#include <algorithm>
#include <optional>

#include "MonthReads.h"
#include "core/AccessSelect.h"
#include "platform/runtime/Currency.h"
#include "platform/runtime/RuntimeError.h"

void PeriodSums::Sum::add(const vb::Variant& value) {
    if (!value.isNull() && !value.isEmpty()) {
        raw += value.toCurrency().raw();
        ++count;
    }
}

vb::Variant PeriodSums::Sum::value() const {
    return count > 0 ? vb::Variant(vb::Currency::fromWideRaw(raw)) : vb::Variant(vb::Null);
}

vb::Variant PeriodSums::Sum::average() const {
    if (count == 0) {
        return vb::Null;
    }
    __int128 quotient = raw / count;
    const __int128 remainder = raw % count;
    const __int128 twice = 2 * (remainder < 0 ? -remainder : remainder);
    if (twice > count || (twice == count && quotient % 2 != 0)) {
        quotient += raw < 0 ? -1 : 1;
    }
    return vb::Currency::fromWideRaw(quotient);
}

int32_t PeriodSums::Read(AccessADOClass& access, const vb::Date& from, const vb::Date& to) {
    products_.clear();
    index_.clear();
    std::optional<vb::RuntimeError> notAmount;
    const int32_t count = AccessSelectEach(
        access,
        {"Classify_No & '\t' & Trade_No", "Cost_Quantity", "Cost_Money", "Sales_Quantity",
         "Sales_Money", "([Sales_Money]-[Cost_Money])", "Unit_Price"},
        {"Management_Tbl"},
        {"Input_Date Between " + MonthReads::DateText(from) + " And " + MonthReads::DateText(to)},
        {"Input_Date"}, [&](std::vector<vb::Variant>& row) {
            try {
                // The first field is the product's key as MonthReads::Key writes it.
                const QString key = MonthReads::Text(row[0]);
                const auto [found, added] = index_.try_emplace(key, products_.size());
                if (added) {
                    const qsizetype tab = key.indexOf(QLatin1Char('\t'));
                    products_.push_back({key.left(tab), key.mid(tab + 1), {}, {}, {}, {}});
                }
                Product& product = products_[found->second];
                product.bought.add(row[1]);
                product.boughtAmount.add(row[2]);
                for (int kind = 0; kind < 3; ++kind) {
                    product.sums[kind].add(row[static_cast<size_t>(kind) + 3]);
                }
                product.lastPrice = std::move(row[6]);
                return true;
            } catch (const vb::RuntimeError& error) {
                notAmount = error;
                return false;
            }
        });
    if (notAmount) {
        throw *notAmount;
    }
    if (count < 0) {
        products_.clear();
        index_.clear();
    }
    return count;
}

std::vector<const PeriodSums::Product*> PeriodSums::Sorted() const {
    std::vector<const Product*> sorted;
    for (const Product& product : products_) {
        sorted.push_back(&product);
    }
    const auto text = [](const vb::Variant& value) { return MonthReads::Text(value); };
    std::sort(sorted.begin(), sorted.end(), [&](const Product* a, const Product* b) {
        const QString classA = text(a->classNo);
        const QString classB = text(b->classNo);
        return classA != classB ? classA < classB : text(a->tradeNo) < text(b->tradeNo);
    });
    return sorted;
}

vb::VariantArray PeriodSums::CloseRows(int32_t& count) const {
    const std::vector<const Product*> sorted = Sorted();
    count = static_cast<int32_t>(sorted.size());
    if (count == 0) {
        return vb::VariantArray();
    }
    vb::VariantArray rows(count, 9);
    for (int row = 0; row < count; ++row) {
        const Product& product = *sorted[static_cast<size_t>(row)];
        const vb::Variant values[9] = {product.classNo,           product.tradeNo,
                                       product.bought.value(),    product.boughtAmount.value(),
                                       product.sums[0].value(),   product.sums[1].value(),
                                       product.sums[0].average(), product.lastPrice,
                                       product.sums[2].value()};
        for (int col = 0; col < 9; ++col) {
            rows(row, col) = values[col];
        }
    }
    return rows;
}
