#pragma once

#include <QString>
#include <QStringList>
#include <vector>

// The filter of the file dialogs as callers write it: pairs of a description and a
// pattern, each part separated from the next by one NUL character
// ("Excel ブック (*.xlsx)" NUL "*.xlsx" NUL "すべてのファイル(*.*)" NUL "*.*").
class DialogFilter {
  public:
    explicit DialogFilter(const QString& filter);

    // One name filter of the dialog per pair: the description followed by its patterns
    // in parentheses, which the dialog hides ("*.*" is given as "*" so that names
    // without a dot are listed too).
    QStringList nameFilters() const;
    // The pair that a name filter of the dialog stands for, also when given as the
    // description alone; 0 when none does.
    qsizetype indexOf(const QString& nameFilter) const;
    // The pattern of the pair at index (from 0), "" beyond the pairs.
    QString pattern(qsizetype index) const;

    // The file name with the extension of the pattern at index (the text after its last
    // ".") added, unless the name already ends in "." and the extension of any pattern of
    // the filter, in any letter case. A pattern whose extension is empty or holds a
    // wildcard adds nothing.
    QString withExtension(const QString& fileName, qsizetype index) const;

  private:
    struct Pair {
        QString description;
        QString pattern;
    };
    std::vector<Pair> pairs_;
};
