-- Tables of a database on a PostgreSQL server, the same as those of schema.sql (a
-- test compares the two). The programs never create or alter a table; this file is
-- run once by "create-database --server" when the server's database is made.
--
-- Names are unquoted, so the server folds them to lower case and finds them without
-- regard to case, as the programs expect. Column types: text strings (codes keep their
-- leading zeros), timestamp dates, currency amounts (exact numbers with four decimals
-- within the range of the runtime's Currency, as the file holds them), integer whole
-- numbers.

CREATE DOMAIN currency AS numeric(19,4)
    CHECK (VALUE BETWEEN -922337203685477.5808 AND 922337203685477.5807);

CREATE TABLE basic_tbl (
    Trade_figure integer,
    Unit_decimal integer,
    Sum_decimal integer,
    Class_flg integer,
    SeleUnit_flg integer,
    Print_type integer,
    tax currency,
    Basic_Qu_fig integer,
    Basic_Quantity currency,
    Picture_Flg integer
);

CREATE TABLE system_type (
    System_id text,
    System_type integer,
    premiere_flg integer,
    premiere_data text,
    Basic_flg integer
);

CREATE TABLE ClassifyMast_tbl (
    Classify_No text NOT NULL,
    Classify_Name text,
    PRIMARY KEY (Classify_No)
);

CREATE TABLE TradeMast_tbl (
    Classify_No text NOT NULL,
    Trade_No text NOT NULL,
    Trade_Name text,
    Unit_Price currency,
    Sales_Price currency,
    basic_Quantity currency,
    PRIMARY KEY (Classify_No, Trade_No)
);

CREATE TABLE Management_Tbl (
    Input_Date timestamp NOT NULL,
    Classify_No text NOT NULL,
    Trade_No text NOT NULL,
    Cost_Quantity currency,
    Unit_Price currency,
    Cost_Money currency,
    Sales_Quantity currency,
    Sales_Money currency,
    PRIMARY KEY (Input_Date, Classify_No, Trade_No)
);

CREATE TABLE FixDeta_tbl (
    FixDate timestamp NOT NULL,
    Classify_No text NOT NULL,
    Trade_No text NOT NULL,
    Classify_Name text,
    Trade_Name text,
    Unit_Price currency,
    Cost_Quantity currency,
    Cost_Money currency,
    Ｓale_Price currency,
    Sales_Quantity currency,
    Sales_Money currency,
    Fix_Quantity currency,
    Aver_Quantity currency,
    ClasRankRi integer,
    ClasRankMo integer,
    ClasRankQu integer,
    TradeRankRi integer,
    TradeRankMo integer,
    TradeRankQu integer,
    PRIMARY KEY (FixDate, Classify_No, Trade_No)
);

-- Settings before the first setup, as in schema.sql.
INSERT INTO basic_tbl (Trade_figure, Unit_decimal, Sum_decimal, Class_flg, SeleUnit_flg,
                       Print_type, tax, Basic_Qu_fig, Basic_Quantity, Picture_Flg)
    VALUES (0, 0, 0, 0, 0, 0, 0, 0, 0, 0);

INSERT INTO system_type (System_id, System_type, premiere_flg, premiere_data, Basic_flg)
    VALUES ('NEO000001', 0, 0, '', 0);
