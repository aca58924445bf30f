// The data model of an owner-drawn list view: items, groups and columns, each
// an element of a collection that belongs to one list-view control, the
// owner (LvOwner.h says what the model asks of it).
//
//   TLvGroups (the owner's)         TLvHeader (the owner's)
//     TLvGroup ... each owns          TLvColumns
//       TLvItems                        TLvColumn ...
//         TLvItem ...
//
// Every element kind comes in a stored variant (data kept in the element), a
// virtual one (data asked of the owner) and an interfaced one (data asked of
// the object behind the element's data interface, LvDataSources.h).
//
// Stream records are little-endian: the element record (marker FF FE CE 00,
// 32-bit version, masked state word) followed by the kind's own fields; the
// "Items" form-file property holds a collection's elements with their class
// names, which must be registered for streaming.
#pragma once

#include "shell/LvCollection.h"
#include "shell/LvColumns.h"
#include "shell/LvDataSources.h"
#include "shell/LvGroups.h"
#include "shell/LvItems.h"
#include "shell/LvOwner.h"
