#pragma once
#include "store/GenealogyStore.h"

// The items of "Сортировка по:", in their order.
enum class SortItem { None = 0, FamilyName, GivenName, Patronymic, BirthDate, DeathDate };

// The list's display name of a person row, composed for the sort item selected
// at the moment of drawing. Both blanks are always written.
QString personDisplayName(const RecordTable& persons, RowId row, SortItem item);

// The persons field that a sort item orders by.
int sortFieldOf(SortItem item);

// "Применить" on the table: filter on (it accepts every row), then sort
// ascending, ignoring case, on the item's field.
void applyListSort(RecordTable& persons, SortItem item);

// Inserts a nameless male person numbered one above the highest number and
// returns that number. Leaves the table sorted on num; the caller re-sorts.
int insertNewPerson(RecordTable& persons);

// Removes the person with this number, if any, and every link naming it.
void deletePersonAndLinks(GenealogyStore& store, int num);
// Removes the person and all that names them: links, names, notes and media,
// participations (an event goes with its last participant), every box and
// every line on the diagram.
void deletePersonEverywhere(GenealogyStore& store, int num);

// "удаление персонажа Иванов Иван Петрович": the name of the history step
// that deletes the person numbered num.
QString personDeletionStepName(RecordTable& persons, int num);
