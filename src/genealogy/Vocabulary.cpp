#include "genealogy/Vocabulary.h"

#include <iterator>

namespace {

const EventKind events[] = {
    {"BIRT", QStringLiteral("Рождение"), Role::Newborn, false},
    {"CHR", QStringLiteral("Крещение"), Role::Unknown, false},
    {"DEAT", QStringLiteral("Смерть"), Role::Deceased, false},
    {"BURI", QStringLiteral("Похороны"), Role::Deceased, false},
    {"CREM", QStringLiteral("Кремация"), Role::Deceased, false},
    {"ADOP", QStringLiteral("Усыновление"), Role::Unknown, false},
    {"BAPM", QStringLiteral("Баптизм"), Role::Unknown, false},
    {"BARM", QStringLiteral("Бар-мицва"), Role::Unknown, false},
    {"BASM", QStringLiteral("Бат-мицва"), Role::Unknown, false},
    {"BLES", QStringLiteral("Благословение"), Role::Unknown, false},
    {"CHRA", QStringLiteral("Крещение взрослого"), Role::Unknown, false},
    {"CONF", QStringLiteral("Конфирмация"), Role::Unknown, false},
    {"FCOM", QStringLiteral("Первое причастие"), Role::Unknown, false},
    {"ORDN", QStringLiteral("Рукоположение"), Role::Unknown, false},
    {"NATU", QStringLiteral("Натурализация"), Role::Unknown, false},
    {"EMIG", QStringLiteral("Эмиграция"), Role::Unknown, false},
    {"IMMI", QStringLiteral("Иммиграция"), Role::Unknown, false},
    {"CENS", QStringLiteral("Перепись"), Role::Unknown, false},
    {"PROB", QStringLiteral("Утверждение завещания"), Role::Unknown, false},
    {"WILL", QStringLiteral("Завещание"), Role::Unknown, false},
    {"GRAD", QStringLiteral("Окончание учёбы"), Role::Unknown, false},
    {"RETI", QStringLiteral("Выход на пенсию"), Role::Unknown, false},
    {"EVEN", QString(), Role::Unknown, false},
    {"MARR", QStringLiteral("Свадьба"), Role::Unknown, true},
    {"ANUL", QStringLiteral("Аннулирование брака"), Role::Unknown, true},
    {"CENS", QStringLiteral("Перепись"), Role::Unknown, true},
    {"DIV", QStringLiteral("Развод"), Role::Unknown, true},
    {"DIVF", QStringLiteral("Заявление о разводе"), Role::Unknown, true},
    {"ENGA", QStringLiteral("Помолвка"), Role::Unknown, true},
    {"MARB", QStringLiteral("Оглашение брака"), Role::Unknown, true},
    {"MARC", QStringLiteral("Брачный контракт"), Role::Unknown, true},
    {"MARL", QStringLiteral("Разрешение на брак"), Role::Unknown, true},
    {"MARS", QStringLiteral("Брачное соглашение"), Role::Unknown, true},
    {"EVEN", QString(), Role::Unknown, true},
};

const AttributeKind attributes[] = {
    {"OCCU", QStringLiteral("Профессия")},       {"RESI", QStringLiteral("Место жительства")},
    {"EDUC", QStringLiteral("Образование")},     {"RELI", QStringLiteral("Вероисповедание")},
    {"TITL", QStringLiteral("Титул")},           {"NATI", QStringLiteral("Национальность")},
    {"DSCR", QStringLiteral("Внешность")},       {"CAST", QStringLiteral("Сословие")},
    {"IDNO", QStringLiteral("Номер документа")}, {"NCHI", QStringLiteral("Число детей")},
    {"NMR", QStringLiteral("Число браков")},     {"PROP", QStringLiteral("Имущество")},
    {"SSN", QStringLiteral("Номер страховки")},  {"FACT", QStringLiteral("Факт")},
};

const EventKind* eventOf(QStringView tag, bool family)
{
    for (const EventKind& kind : events)
        if (kind.family == family && tag == QLatin1String(kind.tag))
            return &kind;
    return nullptr;
}

const struct {
    const char* gedcom;
    QString dialog;
} nameTypes[] = {
    {"aka", DefaultNameType},
    {"religious", QStringLiteral("Церковное")},
    {"nickname", NicknameType},
};

} // namespace

const EventKind* individualEvent(QStringView tag)
{
    return eventOf(tag, false);
}

const EventKind* familyEvent(QStringView tag)
{
    return eventOf(tag, true);
}

const EventKind* eventKindOfType(const QString& type)
{
    if (type.isEmpty())
        return nullptr;
    for (const EventKind& kind : events)
        if (kind.type == type)
            return &kind;
    return nullptr;
}

const AttributeKind* attributeOfTag(QStringView tag)
{
    for (const AttributeKind& kind : attributes)
        if (tag == QLatin1String(kind.tag))
            return &kind;
    return nullptr;
}

const AttributeKind* attributeOfTitle(const QString& title)
{
    for (const AttributeKind& kind : attributes)
        if (kind.title == title)
            return &kind;
    return nullptr;
}

QString nameTypeOfGedcom(const QString& gedcomType)
{
    for (const auto& t : nameTypes)
        if (gedcomType.compare(QLatin1String(t.gedcom), Qt::CaseInsensitive) == 0)
            return t.dialog;
    return gedcomType;
}

QString gedcomOfNameType(const QString& nameType)
{
    for (const auto& t : nameTypes)
        if (nameType == t.dialog)
            return QString::fromLatin1(t.gedcom);
    return nameType;
}
