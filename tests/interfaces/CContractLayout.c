/* The C face of the contract, checked by the C compiler against the declaration's layout
 * (ContractLayout.inc, generated from interfaces/contract/Orvo.idl): record sizes and field
 * offsets on this target, values, bound methods, tables and the slot of every method. A wrong
 * one declares an array of negative size, which fails the build. */
#include <stddef.h>

#include "interfaces/OrvoContract.h"

#define ORVO_CHECK(name, condition) extern char name[(condition) ? 1 : -1]
#define ON_TARGET(n32, n64) (sizeof(void*) == 4 ? (n32) : (n64))
#define ORVO_RECORD(R, size32, size64, align32, align64) \
    ORVO_CHECK(orvo_size_##R, sizeof(R) == ON_TARGET(size32, size64));
#define ORVO_FIELD(R, cPath, cppName, offset32, offset64) \
    ORVO_CHECK(orvo_offset_##R##_##cppName, offsetof(R, cPath) == ON_TARGET(offset32, offset64));
#define ORVO_VALUE(cName, cppValue, value) ORVO_CHECK(orvo_value_##cName, cName == (value));
#define ORVO_BOUND(M) \
    ORVO_CHECK(orvo_bound_##M, sizeof(M) == 2 * sizeof(void*) && offsetof(M, Data) == sizeof(void*));
#define ORVO_INTERFACE(I, slots) \
    ORVO_CHECK(orvo_table_##I, sizeof(I##Vtbl) == (slots) * sizeof(void*) && offsetof(I##Vtbl, Release) == 2 * sizeof(void*));
#define ORVO_FUNCTION(M)
#define ORVO_SLOT(I, method, slot) \
    ORVO_CHECK(orvo_slot_##I##_##method, offsetof(I##Vtbl, method) == (slot) * sizeof(void*));
#include "ContractLayout.inc"
