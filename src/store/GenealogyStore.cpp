#include "store/GenealogyStore.h"

namespace {

FieldDef integer(const char* name, bool visible = true)
{
    return {QString::fromUtf8(name), FieldKind::Integer, 0, {}, 0, visible, {}};
}

FieldDef smallInt(const char* name, bool visible = true)
{
    return {QString::fromUtf8(name), FieldKind::SmallInt, 0, {}, 0, visible, {}};
}

FieldDef text(const char* name, int size, const char* label = "", bool visible = true, int width = 0)
{
    return {QString::fromUtf8(name), FieldKind::String, size, QString::fromUtf8(label), width, visible, {}};
}

FieldDef boolean(const char* name, const char* label = "", const char* texts = "", bool visible = true)
{
    return {QString::fromUtf8(name), FieldKind::Boolean, 0, QString::fromUtf8(label), 0, visible, QString::fromUtf8(texts)};
}

FieldDef memo(const char* name)
{
    return {QString::fromUtf8(name), FieldKind::Memo, 0, {}, 0, true, {}};
}

FieldDef calcText(const char* name, int size, const char* label, int width = 0)
{
    return {QString::fromUtf8(name), FieldKind::CalcString, size, QString::fromUtf8(label), width, true, {}};
}

FieldDef calcBoolean(const char* name)
{
    return {QString::fromUtf8(name), FieldKind::CalcBoolean, 0, {}, 0, true, {}};
}

std::vector<FieldDef> nameFields()
{
    return {text("NameType", 20, "Тип имени"), boolean("sex", "Пол", "МУЖ;ЖЕН"),
            text("name", 250, "Фамилия Имя /Отчество/"), integer("owner", false), boolean("sexnotset", "", "", false)};
}

// The card's copy also remembers which names-table row it shows: the table
// allows duplicates, so the content alone cannot tell.
std::vector<FieldDef> cardNameFields()
{
    std::vector<FieldDef> fields = nameFields();
    fields.push_back(integer("nameRow", false));
    return fields;
}

} // namespace

GenealogyStore::GenealogyStore()
    : persons("RxMemoryData1",
              {integer("num", false), text("fam", 20, "Фамилия", false), text("name", 20, "Имя", false),
               text("surname", 20, "Отчество", false), calcText("fullname", 250, "Фамилия Имя /Отчество/", 62),
               boolean("sex", "", "", false), text("birth_date", 40, "Дата рождения"),
               text("birth_place", 40, "Место рождения"), text("death_date", 40, "Дата смерти"),
               text("death_place", 40, "Место смерти"), boolean("sexnotset", "", "", false)}),
      links("RxMemoryData2", {integer("id1"), integer("id2"), integer("rel")}),
      events("RxMemoryData4",
             {integer("id"), text("type", 50, "Тип события", true, 25), text("date", 40, "Дата"), text("place", 100)}),
      participants("RxMemoryData10", {integer("id"), integer("owner"), text("function", 100)}),
      names("RxMemoryData11", nameFields()),
      notes("RxMemoryData12",
            {integer("Owner"), boolean("OwnerType"), text("header", 20), memo("data"), integer("num")}),
      cardLines("RxMemoryData3",
                {text("typeName", 10, "_", false), text("stroka", 60, "Связи", false), integer("link", false),
                 smallInt("type", false), calcText("visio", 40, "Связи:")}),
      cardNames("RxMemoryData6", cardNameFields()),
      cardComments("RxMemoryData7",
                   {integer("owner", false), calcBoolean("OwnerType"), text("header", 20, "Комментарии"),
                    memo("text"), integer("num", false)}),
      cardMedia("RxMemoryData8",
                {integer("owner", false), boolean("OwnerType", "", "", false), text("header", 20, "Медиа - файлы"),
                 text("path", 256, "", false), integer("num", false)}),
      cardEvents("RxMemoryData9",
                 {integer("id", false), text("type", 20, "Тип события"), text("date", 40, "Дата"),
                  text("function", 30, "Роль персоны"), text("place", 150, "Место действия")}),
      diagram("RxMemoryData5",
              {smallInt("type"), integer("x"), integer("y"), text("name", 50), text("fam", 50), integer("owner"),
               boolean("ischecked")}),
      selection("RxMemoryData13", {integer("owner"), integer("x"), integer("y"), integer("type")}),
      eventDialogParticipants("RxMemoryData1",
                              {text("name", 100), integer("owner", false), text("function", 100, "", false)}),
      history(keptTables())
{
}

std::vector<RecordTable*> GenealogyStore::keptTables()
{
    return {&persons, &links, &events, &participants, &names, &notes, &diagram};
}

void GenealogyStore::emptyForNewTree()
{
    persons.emptyTable();
    links.emptyTable();
    cardLines.emptyTable();
    events.emptyTable();
    diagram.emptyTable();
    participants.emptyTable();
    selection.emptyTable();
    // Names and notes refer to persons by number, and new persons take those
    // numbers again: left behind, they would show up on strangers' cards.
    names.emptyTable();
    notes.emptyTable();
}

RecordTable* GenealogyStore::tableByRole(QStringView role)
{
    struct Entry {
        const char* role;
        RecordTable GenealogyStore::*table;
    };
    static const Entry entries[] = {
        {"persons", &GenealogyStore::persons},   {"links", &GenealogyStore::links},
        {"events", &GenealogyStore::events},     {"participants", &GenealogyStore::participants},
        {"names", &GenealogyStore::names},       {"notes", &GenealogyStore::notes},
        {"diagram", &GenealogyStore::diagram},   {"selection", &GenealogyStore::selection},
        {"cardlines", &GenealogyStore::cardLines}, {"cardnames", &GenealogyStore::cardNames},
        {"cardevents", &GenealogyStore::cardEvents}, {"cardcomments", &GenealogyStore::cardComments},
        {"cardmedia", &GenealogyStore::cardMedia},
    };
    for (const Entry& e : entries)
        if (role == QLatin1String(e.role))
            return &(this->*e.table);
    return nullptr;
}

int nameRowNumber(const RecordTable& names, RowId row)
{
    return int(names.creationNumber(row));
}

int namePosition(RecordTable& names, int owner, int number)
{
    for (int position : names.positionsWithInteger(NameField::owner, owner))
        if (nameRowNumber(names, names.rowAt(position)) == number)
            return position;
    return -1;
}
