#include <QGuiApplication>

#include "platform/excel/OfficeProgram.h"

// Converts a workbook with the office program given: conversion-run program workbook pdf.
// The tests start it and end it from outside, as a user ends a program.
int main(int argc, char** argv) {
    QGuiApplication application(argc, argv);
    const QStringList arguments = QGuiApplication::arguments();
    if (arguments.size() != 4) {
        return 2;
    }
    excel::office::setProgram(arguments[1]);
    return excel::office::convertToPdf(arguments[2], arguments[3]) ? 0 : 1;
}
