#include "PeriodSums.h"

#include <algorithm>
#include <utility>

#include "MonthReads.h"
#include "core/AccessSelect.h"
#include "platform/runtime/Currency.h"
#include "platform/runtime/RuntimeError.h"

namespace {

bool HasValue(const vb::Variant& value) {
    return !value.isNull() && !value.isEmpty();
}

// Adds the profit of a row, its amount sold less its cost, when both are given.
void AddProfit(PeriodSums::Sum& profit, const vb::Variant& sold, const vb::Variant& cost) {
    if (!HasValue(sold) || !HasValue(cost)) {
        return;
    }
    try {
        const __int128 raw =
            static_cast<__int128>(sold.toCurrency().raw()) - cost.toCurrency().raw();
        profit.add(vb::Currency::fromWideRaw(raw).raw());
    } catch (const vb::RuntimeError& failed) {
        profit.fail(failed.number());
    }
}

}  // namespace

void PeriodSums::Sum::add(const vb::Variant& value) {
    if (!HasValue(value)) {
        return;
    }
    try {
        add(value.toCurrency().raw());
    } catch (const vb::RuntimeError& failed) {
        fail(failed.number());
    }
}

void PeriodSums::Sum::fail(int32_t number) {
    error = error != 0 ? error : number;
}

void PeriodSums::Sum::add(__int128 tenThousandths) {
    raw += tenThousandths;
    ++count;
}

void PeriodSums::Sum::add(const Sum& other) {
    raw += other.raw;
    count += other.count;
    fail(other.error);
}

int32_t PeriodSums::Sum::failure() const {
    if (error != 0) {
        return error;
    }
    const bool inRange = raw >= vb::Currency::min().raw() && raw <= vb::Currency::max().raw();
    return count == 0 || inRange ? 0 : vb::errOverflow;
}

vb::Variant PeriodSums::Sum::value() const {
    if (const int32_t number = failure(); number != 0) {
        throw vb::RuntimeError(static_cast<vb::ErrorNumber>(number));
    }
    return count > 0 ? vb::Variant(vb::Currency::fromWideRaw(raw)) : vb::Variant(vb::Null);
}

vb::Variant PeriodSums::Sum::average() const {
    if (error != 0) {
        throw vb::RuntimeError(static_cast<vb::ErrorNumber>(error));
    }
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

int32_t PeriodSums::Read(AccessADOClass& access, const vb::Date& from, const vb::Date& to,
                         Columns columns) {
    products_.clear();
    keyChars_.clear();
    keySpans_.clear();
    index_.clear();
    // The product's key as MonthReads::Key writes it, then the columns needed; -1 for one
    // not read.
    QStringList fields = {"Classify_No & '\t' & Trade_No"};
    const auto field = [&fields](bool needed, const char* name) {
        if (!needed) {
            return -1;
        }
        fields << QString::fromLatin1(name);
        return static_cast<int>(fields.size()) - 1;
    };
    const bool stock = columns != Columns::Sales;
    const bool sales = columns != Columns::Stock;
    const int bought = field(stock, "Cost_Quantity");
    const int boughtAmount = field(sales, "Cost_Money");
    const int sold = field(true, "Sales_Quantity");
    const int soldAmount = field(sales, "Sales_Money");
    const int price = field(stock, "Unit_Price");
    const auto add = [](Sum& sum, const std::vector<vb::Variant>& row, int column) {
        if (column >= 0) {
            sum.add(row[static_cast<size_t>(column)]);
        }
    };
    size_t next = 0;
    const int32_t count = AccessSelectEach(
        access, fields, {"Management_Tbl"},
        {"Input_Date Between " + MonthReads::DateText(from) + " And " + MonthReads::DateText(to)},
        {"Input_Date"}, [&](std::vector<vb::Variant>& row) {
            const size_t index = Met(MonthReads::Text(row[0]), next);
            Product& product = products_[index];
            next = index + 1;
            add(product.bought, row, bought);
            add(product.boughtAmount, row, boughtAmount);
            add(product.sold, row, sold);
            add(product.soldAmount, row, soldAmount);
            if (sales) {
                AddProfit(product.profit, row[static_cast<size_t>(soldAmount)],
                          row[static_cast<size_t>(boughtAmount)]);
            }
            if (price >= 0) {
                product.lastPrice = std::move(row[static_cast<size_t>(price)]);
            }
            return true;
        });
    int32_t result = count;
    for (auto product = products_.begin(); result >= 0 && product != products_.end(); ++product) {
        for (const Sum* sum : {&product->bought, &product->boughtAmount, &product->sold,
                               &product->soldAmount, &product->profit}) {
            if (const int32_t number = sum->failure(); number != 0 && result >= 0) {
                result = -number;
            }
        }
    }
    if (result < 0) {
        products_.clear();
        keyChars_.clear();
        keySpans_.clear();
        index_.clear();
    }
    return result;
}

size_t PeriodSums::Met(const QString& key, size_t expected) {
    const QStringView text(key);
    if (expected < keySpans_.size()) {
        const auto [start, length] = keySpans_[expected];
        if (length == static_cast<size_t>(text.size()) &&
            std::char_traits<char16_t>::compare(keyChars_.data() + start, text.utf16(), length) ==
                0) {
            return expected;
        }
    }
    const auto [found, added] = index_.try_emplace(key, products_.size());
    if (added) {
        products_.emplace_back();
        keySpans_.emplace_back(keyChars_.size(), static_cast<size_t>(text.size()));
        keyChars_.append(text.utf16(), static_cast<size_t>(text.size()));
    }
    return found->second;
}

const PeriodSums::Product* PeriodSums::Find(const QString& key) const {
    const auto found = index_.find(key);
    return found != index_.end() ? &products_[found->second] : nullptr;
}

std::vector<PeriodSums::Numbered> PeriodSums::Sorted() const {
    std::vector<Numbered> sorted;
    sorted.reserve(keySpans_.size());
    for (size_t index = 0; index < keySpans_.size(); ++index) {
        const auto [start, length] = keySpans_[index];
        const QStringView key(keyChars_.data() + start, static_cast<qsizetype>(length));
        const qsizetype tab = key.indexOf(QLatin1Char('\t'));
        sorted.push_back({&products_[index], key.left(tab), key.mid(tab + 1)});
    }
    std::sort(sorted.begin(), sorted.end(), [](const Numbered& a, const Numbered& b) {
        return std::pair(a.classNo, a.tradeNo) < std::pair(b.classNo, b.tradeNo);
    });
    return sorted;
}

vb::VariantArray PeriodSums::CloseRows(int32_t& count) const {
    const std::vector<Numbered> sorted = Sorted();
    count = static_cast<int32_t>(sorted.size());
    if (count == 0) {
        return vb::VariantArray();
    }
    vb::VariantArray rows(count, 9);
    for (int row = 0; row < count; ++row) {
        const Numbered& entry = sorted[static_cast<size_t>(row)];
        const Product& product = *entry.product;
        const vb::Variant values[9] = {
            entry.classNo.toString(),     entry.tradeNo.toString(), product.bought.value(),
            product.boughtAmount.value(), product.sold.value(),     product.soldAmount.value(),
            product.sold.average(),       product.lastPrice,        product.profit.value()};
        for (int col = 0; col < 9; ++col) {
            rows(row, col) = values[col];
        }
    }
    return rows;
}

int32_t PeriodSums::Sales(SalesSums& sales) const {
    sales = SalesSums();
    std::vector<Sum> classSums;
    std::vector<QStringView> classes;
    const std::vector<Numbered> sorted = Sorted();
    sales.productCount = static_cast<int32_t>(sorted.size());
    if (!sorted.empty()) {
        sales.products = vb::VariantArray(sales.productCount, 5);
    }
    for (int row = 0; row < sales.productCount; ++row) {
        const Numbered& entry = sorted[static_cast<size_t>(row)];
        const Sum* const sums[3] = {&entry.product->sold, &entry.product->soldAmount,
                                    &entry.product->profit};
        sales.products(row, 0) = entry.classNo.toString();
        sales.products(row, 1) = entry.tradeNo.toString();
        // The products of a class lie together in key order.
        if (classes.empty() || classes.back() != entry.classNo) {
            classes.push_back(entry.classNo);
            classSums.resize(classSums.size() + 3);
        }
        for (int kind = 0; kind < 3; ++kind) {
            sales.products(row, 2 + kind) = sums[kind]->value();
            classSums[classSums.size() - 3 + static_cast<size_t>(kind)].add(*sums[kind]);
        }
    }
    for (const Sum& sum : classSums) {
        if (const int32_t number = sum.failure(); number != 0) {
            sales = SalesSums();
            return -number;
        }
    }
    sales.classCount = static_cast<int32_t>(classes.size());
    if (sales.classCount > 0) {
        sales.classes = vb::VariantArray(sales.classCount, 4);
    }
    for (int row = 0; row < sales.classCount; ++row) {
        sales.classes(row, 0) = classes[static_cast<size_t>(row)].toString();
        for (int kind = 0; kind < 3; ++kind) {
            sales.classes(row, 1 + kind) = classSums[static_cast<size_t>(row) * 3 + kind].value();
        }
    }
    return 0;
}
