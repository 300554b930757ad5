// The functions that translated statements call where T-SQL means something SQLite has no
// operator or type for: + on texts, the money type, the DATE type and CONVERT's text styles.
// Each raises the statement's error for a value SQL Server would refuse.
#pragma once

struct sqlite3;

namespace orvo::host {

// Registers on the connection:
//   orvo_add(a, b)               T-SQL's +: NULL when either is NULL, texts joined, numbers added,
//                                a text beside a number read as that kind of number
//   orvo_money(x)                CAST( x AS money ): rounded to ten-thousandths, as a number
//   orvo_money_text(x)           CONVERT( VARCHAR, CAST( x AS money ), 0 ): two decimals, no
//                                thousands separator, "-" before a negative amount
//   orvo_date(x)                 CAST( x AS DATE ) of a stored date and time: "yyyy-mm-dd"
//   orvo_datetime_text(x, style) CONVERT( VARCHAR, x, 111 ) "yyyy/mm/dd" or 114 "hh:mi:ss:mmm"
// Returns SQLite's status.
int RegisterSqlFunctions(sqlite3* db);

}  // namespace orvo::host
