#pragma once

#include <QString>
#include <cstdint>

// "空き容量が不足しています。" CR LF purpose & "には " & the bytes \ 1000 as "#,##0 KB" &
// " 必要です。", e.g. for 1,234,567 bytes of a backup "…バックアップには 1,234 KB 必要です。".
QString SpaceMessage(const QString& purpose, uint64_t bytes);
