#include "gedcom/WindowlessImportHost.h"

#include "card/CardBuilder.h"
#include "list/PersonList.h"

void WindowlessImportHost::applyListSort()
{
    ::applyListSort(store_.persons, SortItem::None);
}

void WindowlessImportHost::buildCard(int num)
{
    fillCardTables(store_, num);
}
