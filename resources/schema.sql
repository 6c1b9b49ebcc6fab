-- Tables of the shipped database "morvik2.mde" (and of the development copy
-- "morvik2.mdb"). The programs never create or alter a table; this file is run once
-- by create-database when the installation's database is made.
--
-- Column types as the engine layer reads them back: TEXT strings (codes keep their
-- leading zeros), DATETIME day serials returned as dates, CURRENCY amounts kept as
-- whole numbers of ten-thousandths (12.5 is stored as 125000) and returned as exact
-- fixed-point values with four decimals, INTEGER whole numbers. The file is stamped
-- with the engine layer's format when it is created.

CREATE TABLE basic_tbl (
    Trade_figure INTEGER,
    Unit_decimal INTEGER,
    Sum_decimal INTEGER,
    Class_flg INTEGER,
    SeleUnit_flg INTEGER,
    Print_type INTEGER,
    tax CURRENCY,
    Basic_Qu_fig INTEGER,
    Basic_Quantity CURRENCY,
    Picture_Flg INTEGER
);

CREATE TABLE system_type (
    System_id TEXT,
    System_type INTEGER,
    premiere_flg INTEGER,
    premiere_data TEXT,
    Basic_flg INTEGER
);

CREATE TABLE ClassifyMast_tbl (
    Classify_No TEXT NOT NULL,
    Classify_Name TEXT,
    PRIMARY KEY (Classify_No)
);

CREATE TABLE TradeMast_tbl (
    Classify_No TEXT NOT NULL,
    Trade_No TEXT NOT NULL,
    Trade_Name TEXT,
    Unit_Price CURRENCY,
    Sales_Price CURRENCY,
    basic_Quantity CURRENCY,
    PRIMARY KEY (Classify_No, Trade_No)
);

CREATE TABLE Management_Tbl (
    Input_Date DATETIME NOT NULL,
    Classify_No TEXT NOT NULL,
    Trade_No TEXT NOT NULL,
    Cost_Quantity CURRENCY,
    Unit_Price CURRENCY,
    Cost_Money CURRENCY,
    Sales_Quantity CURRENCY,
    Sales_Money CURRENCY,
    PRIMARY KEY (Input_Date, Classify_No, Trade_No)
);

CREATE TABLE FixDeta_tbl (
    FixDate DATETIME NOT NULL,
    Classify_No TEXT NOT NULL,
    Trade_No TEXT NOT NULL,
    Classify_Name TEXT,
    Trade_Name TEXT,
    Unit_Price CURRENCY,
    Cost_Quantity CURRENCY,
    Cost_Money CURRENCY,
    "Ｓale_Price" CURRENCY,
    Sales_Quantity CURRENCY,
    Sales_Money CURRENCY,
    Fix_Quantity CURRENCY,
    Aver_Quantity CURRENCY,
    ClasRankRi INTEGER,
    ClasRankMo INTEGER,
    ClasRankQu INTEGER,
    TradeRankRi INTEGER,
    TradeRankMo INTEGER,
    TradeRankQu INTEGER,
    PRIMARY KEY (FixDate, Classify_No, Trade_No)
);

-- Settings before the first setup: 4-digit product numbers, no decimals, output
-- through Excel, plain menu pictures. Basic_flg 0 makes the setup wizard run in full.
INSERT INTO basic_tbl (Trade_figure, Unit_decimal, Sum_decimal, Class_flg, SeleUnit_flg,
                       Print_type, tax, Basic_Qu_fig, Basic_Quantity, Picture_Flg)
    VALUES (0, 0, 0, 0, 0, 0, 0, 0, 0, 0);

-- The system code of these settings: plain pictures (N), Excel (E), no support
-- screens (O), width code 00, decimals 0 and 0, then 01.
INSERT INTO system_type (System_id, System_type, premiere_flg, premiere_data, Basic_flg)
    VALUES ('NEO000001', 0, 0, '', 0);
