#pragma once

#include <QDate>
#include <QString>

namespace mavo {

// SQL text wants dates month first whatever the display format: every quoted
// literal written day/month/year ('25/12/2023', '5/3/24') becomes
// month/day/year. Other slashes are left alone.
QString ConvertiDateSQL(QString sql);

// 'd/m/y' -> 'm/d/y', the apostrophes included: '5/3/2024' -> '3/5/2024'. A
// text without two slashes comes back unchanged.
QString ScambiaGiornoMese(const QString& letterale);

// The date as an SQL literal: "'12/25/2023'".
QString DataSQL(const QDate& data);

} // namespace mavo
