#pragma once

#include <QStringList>
#include <cstdint>

#include "AccessADOClass.h"
#include "platform/runtime/VariantArray.h"

// One select through the wrapper from lists of texts: operation "1" with the field,
// FROM, WHERE and ORDER items, then ExecuteClear so that the object can run the next
// operation. The row count with the rows in rows (empty for none), or the wrapper's
// negative result.
int32_t AccessSelect(AccessADOClass& access, const QStringList& fields, const QStringList& from,
                     const QStringList& where, const QStringList& order, vb::VariantArray& rows);

// The same select with its rows handed one after the other to eachRow (AccessADOClass::
// ExecuteEach): the row count or the wrapper's negative result.
int32_t AccessSelectEach(AccessADOClass& access, const QStringList& fields, const QStringList& from,
                         const QStringList& where, const QStringList& order,
                         const AccessADOClass::RowSink& eachRow);
