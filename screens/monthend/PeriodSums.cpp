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
        any = true;
    }
}

void PeriodSums::Sum::add(const Sum& other) {
    raw += other.raw;
    any = any || other.any;
}

vb::Variant PeriodSums::Sum::value() const {
    return any ? vb::Variant(vb::Currency::fromWideRaw(raw)) : vb::Variant(vb::Null);
}

int32_t PeriodSums::Read(AccessADOClass& access, const vb::Date& from, const vb::Date& to) {
    products_.clear();
    index_.clear();
    std::optional<vb::RuntimeError> notAmount;
    const int32_t count = AccessSelectEach(
        access,
        {"Classify_No & '\t' & Trade_No", "Cost_Quantity", "Sales_Quantity", "Sales_Money",
         "([Sales_Money]-[Cost_Money])"},
        {"Management_Tbl"},
        {"Input_Date Between " + MonthReads::DateText(from) + " And " + MonthReads::DateText(to)},
        {"Input_Date"}, [&](std::vector<vb::Variant>& row) {
            try {
                // The first field is the product's key as MonthReads::Key writes it.
                const QString key = MonthReads::Text(row[0]);
                const auto [found, added] = index_.try_emplace(key, products_.size());
                if (added) {
                    const qsizetype tab = key.indexOf(QLatin1Char('\t'));
                    products_.push_back({key.left(tab), key.mid(tab + 1), {}, {}});
                }
                Product& product = products_[found->second];
                product.bought.add(row[1]);
                for (int kind = 0; kind < 3; ++kind) {
                    product.sums[kind].add(row[static_cast<size_t>(kind) + 2]);
                }
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

vb::VariantArray PeriodSums::Rows(int keyColumns, int32_t& count) const {
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
    std::vector<Product> rows;
    for (const Product* product : sorted) {
        if (keyColumns == 2 || rows.empty() ||
            text(rows.back().classNo) != text(product->classNo)) {
            rows.push_back(*product);
        } else {
            for (int kind = 0; kind < 3; ++kind) {
                rows.back().sums[kind].add(product->sums[kind]);
            }
        }
    }
    count = static_cast<int32_t>(rows.size());
    if (count == 0) {
        return vb::VariantArray();
    }
    vb::VariantArray result(count, keyColumns + 3);
    for (int row = 0; row < count; ++row) {
        const Product& product = rows[static_cast<size_t>(row)];
        result(row, 0) = product.classNo;
        if (keyColumns == 2) {
            result(row, 1) = product.tradeNo;
        }
        for (int kind = 0; kind < 3; ++kind) {
            result(row, keyColumns + kind) = product.sums[kind].value();
        }
    }
    return result;
}

bool PeriodSums::Quantities(const QString& key, vb::Currency& bought, vb::Currency& sold) const {
    const auto found = index_.find(key);
    if (found == index_.end()) {
        return false;
    }
    const Product& product = products_[found->second];
    bought = MonthReads::Amount(product.bought.value());
    sold = MonthReads::Amount(product.sums[0].value());
    return true;
}
