#include "DetaCheckSet.h"
#include "MigrationSelect.h"
#include "core/AccessADOClass.h"
#include "core/SqlValueText.h"
#include "platform/runtime/RuntimeError.h"
#include "platform/runtime/Variant.h"

namespace DetaCheck_Set {

namespace {

QString zeroFilled(const QString& number, int width) {
    const QString text = number.trimmed();
    if (text.isEmpty()) {
        return number;
    }
    for (const QChar c : text) {
        if (c < u'0' || c > u'9') {
            return number;
        }
    }
    qsizetype start = 0;
    while (start + 1 < text.size() && text[start] == u'0') {
        ++start;
    }
    const QString digits = text.mid(start);
    return digits.size() >= width ? digits : QString(width - digits.size(), u'0') + digits;
}

QString textValue(const vb::Variant& value) {
    return value.isNull() ? SqlValueText::Value(value) : SqlValueText::Text(value.toString());
}

QString amountValue(const vb::Variant& value) {
    return value.isNull() || value.isEmpty() ? SqlValueText::Value(vb::Variant(vb::NullValue{}))
                                             : SqlValueText::Number(value.toCurrency());
}

void addTable(AccessADOClass& access, int list, const QString& table, const QStringList& fields,
              const vb::VariantArray& rows) {
    for (const QString& field : fields) {
        if (list == 0) {
            access.AddField(field);
        } else if (list == 1) {
            access.AddFieldSecond(field);
        } else {
            access.AddFieldThird(field);
        }
    }
    if (list == 0) {
        access.AddFromVerse(table);
        access.DBInfo(rows);
    } else if (list == 1) {
        access.AddFromSecondVerse(table);
        access.UpdataInfo(rows);
    } else {
        access.AddFromThirdVerse(table);
        access.ThirdDBInfo(rows);
    }
}

const QStringList kProductFields{"Classify_No", "Trade_No",    "Trade_Name",
                                 "Unit_Price",  "Sales_Price", "basic_Quantity"};
const QStringList kMovementFields{"Input_Date", "Classify_No", "Trade_No",       "Cost_Quantity",
                                  "Unit_Price", "Cost_Money",  "Sales_Quantity", "Sales_Money"};
const QStringList kMonthFields{"FixDate",       "Classify_No",    "Trade_No",      "Classify_Name",
                               "Trade_Name",    "Unit_Price",     "Cost_Quantity", "Cost_Money",
                               "Ｓale_Price",   "Sales_Quantity", "Sales_Money",   "Fix_Quantity",
                               "Aver_Quantity", "ClasRankRi",     "ClasRankMo",    "ClasRankQu",
                               "TradeRankRi",   "TradeRankMo",    "TradeRankQu"};

const QStringList kClassFields{"Classify_No", "Classify_Name"};

struct Table {
    const QString name;
    const QStringList& fields;
    const vb::VariantArray& rows;
};

// Empties and refills the tables in one transaction.
int32_t writeTables(const QString& dbName, const QString& dbPath,
                    const std::vector<Table>& tables) {
    AccessADOClass access;
    access.DBName(dbName);
    access.DBPath(dbPath);
    access.Password(DBPassword);
    access.AccessFlag(tables.size() == 3 ? "12" : tables.size() == 2 ? "11" : "7");
    for (size_t i = 0; i < tables.size(); ++i) {
        addTable(access, static_cast<int>(i), tables[i].name, tables[i].fields, tables[i].rows);
    }
    return access.Execute();
}

}  // namespace

QString TradeNoText(const QString& tradeNo, uint8_t figureCode) {
    return zeroFilled(tradeNo, figureCode + 4);
}

QString ClassifyNoText(const QString& classifyNo) {
    return zeroFilled(classifyNo, 3);
}

int32_t PrepareClassRows(const QString& dbName, const QString& dbPath, vb::VariantArray& rows) {
    vb::VariantArray read;
    const int32_t count = MigrationSelect{kClassFields, {"ClassifyMast_tbl"}, {}, {}}.Run(
        dbName, dbPath, DBPassword, read);
    if (count <= 0) {
        return count;
    }
    vb::VariantArray out(count, 2);
    bool renumbered = false;
    for (int r = 0; r < count; ++r) {
        const QString number = read(r, 0).toString();
        renumbered = renumbered || ClassifyNoText(number) != number;
        out(r, 0) = SqlValueText::Text(ClassifyNoText(number));
        out(r, 1) = textValue(read(r, 1));
    }
    if (!renumbered) {
        return 0;
    }
    rows = out;
    return count;
}

int32_t PrepareProductRows(const QString& dbName, const QString& dbPath, vb::VariantArray& rows) {
    vb::VariantArray read;
    const int32_t count = MigrationSelect{kProductFields, {"TradeMast_tbl"}, {}, {}}.Run(
        dbName, dbPath, DBPassword, read);
    if (count <= 0) {
        return count;
    }
    vb::VariantArray out(count, 6);
    for (int r = 0; r < count; ++r) {
        out(r, 0) = SqlValueText::Text(ClassifyNoText(read(r, 0).toString()));
        out(r, 1) = SqlValueText::Text(TradeNoText(read(r, 1).toString(), TradeFigure));
        out(r, 2) = textValue(read(r, 2));
        for (int c = 3; c < 6; ++c) {
            out(r, c) = amountValue(read(r, c));
        }
    }
    rows = out;
    return count;
}

int32_t PrepareMovementRows(const QString& dbName, const QString& dbPath, vb::VariantArray& rows) {
    vb::VariantArray read;
    const int32_t count = MigrationSelect{kMovementFields, {"Management_Tbl"}, {}, {}}.Run(
        dbName, dbPath, DBPassword, read);
    if (count <= 0) {
        return count;
    }
    vb::VariantArray out(count, 8);
    for (int r = 0; r < count; ++r) {
        out(r, 0) = SqlValueText::DateValue(read(r, 0).toDate());
        out(r, 1) = SqlValueText::Text(ClassifyNoText(read(r, 1).toString()));
        out(r, 2) = SqlValueText::Text(TradeNoText(read(r, 2).toString(), TradeFigure));
        out(r, 3) = amountValue(read(r, 3));
        out(r, 4) = amountValue(read(r, 4));
        const vb::Currency quantity =
            read(r, 3).isNumeric() ? read(r, 3).toCurrency() : vb::Currency();
        const vb::Currency price =
            read(r, 4).isNumeric() ? read(r, 4).toCurrency() : vb::Currency();
        out(r, 5) = SqlValueText::Number(quantity * price);
        out(r, 6) = amountValue(read(r, 6));
        out(r, 7) = amountValue(read(r, 7));
    }
    rows = out;
    return count;
}

int32_t ReadFixDateRange(const QString& dbName, const QString& dbPath, vb::Date& latestDate,
                         vb::Date& earliestDate) {
    AccessADOClass access;
    for (const char* code : {"8", "9"}) {
        access.ExecuteClear();
        access.DBName(dbName);
        access.DBPath(dbPath);
        access.Password(DBPassword);
        access.AccessFlag(code);
        access.AddField("FixDate");
        access.AddFromVerse("FixDeta_tbl");
        const int32_t result = access.Execute();
        if (result < 0) {
            return result;
        }
        if (result == 1) {
            (code[0] == '8' ? latestDate : earliestDate) = access.InfoValue(0, 0).toDate();
        }
    }
    return 0;
}

static int32_t convertImportedData(const QString& dbName, const QString& dbPath,
                                   const Progress& progress) {
    const auto gauge = [&progress](int16_t value) {
        if (progress) {
            progress(value);
        }
    };
    vb::VariantArray classes;
    const int32_t classCount = PrepareClassRows(dbName, dbPath, classes);
    if (classCount < 0) {
        return classCount;
    }
    vb::VariantArray products;
    const int32_t productCount = PrepareProductRows(dbName, dbPath, products);
    if (productCount < 0) {
        return productCount;
    }
    vb::VariantArray movements;
    const int32_t movementCount = PrepareMovementRows(dbName, dbPath, movements);
    if (movementCount < 0) {
        return movementCount;
    }
    // The class master takes the width of the class numbers of its products before the
    // ranks are rebuilt, so that the two still join and every class is ranked.
    int32_t classWritten = 0;
    if (classCount > 0) {
        classWritten = writeTables(dbName, dbPath, {{"ClassifyMast_tbl", kClassFields, classes}});
        if (classWritten < 0) {
            return classWritten;
        }
    }
    gauge(4);
    vb::Date latest;
    vb::Date earliest;
    if (const int32_t result = ReadFixDateRange(dbName, dbPath, latest, earliest); result < 0) {
        return result;
    }
    gauge(5);
    vb::VariantArray months;
    const int32_t monthCount = RebuildMonthRows(dbName, dbPath, latest, earliest, months, progress);
    if (monthCount < 0) {
        return monthCount;
    }
    gauge(9);

    // Products, movements and months are written together so that their product numbers
    // always agree; a table without rows is emptied like the others.
    std::vector<Table> tables;
    if (movementCount > 0) {
        tables.push_back({"Management_Tbl", kMovementFields, movements});
    }
    if (monthCount > 0) {
        tables.push_back({"FixDeta_tbl", kMonthFields, months});
    }
    if (productCount > 0) {
        tables.push_back({"TradeMast_tbl", kProductFields, products});
    }
    int32_t result = classWritten;
    if (!tables.empty()) {
        result = writeTables(dbName, dbPath, tables);
        if (result < 0) {
            return result;
        }
    }
    gauge(10);
    return result;
}

int32_t ConvertImportedData(const QString& dbName, const QString& dbPath,
                            const Progress& progress) {
    try {
        return convertImportedData(dbName, dbPath, progress);
    } catch (const vb::RuntimeError& error) {
        return -error.number();
    }
}

}  // namespace DetaCheck_Set
