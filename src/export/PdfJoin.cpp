#include "export/PdfJoin.h"

#include <QIODevice>
#include <cctype>
#include <cstring>

namespace {

bool isDelimiter(char c)
{
    return c == '\0' || std::strchr(" \t\r\n\f()<>[]{}/%", c) != nullptr;
}

bool isSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f' || c == '\0';
}

qsizetype skipSpace(const QByteArray& t, qsizetype i)
{
    while (i < t.size() && isSpace(t[i]))
        ++i;
    return i;
}

// The end of the value that starts at i.
qsizetype skipValue(const QByteArray& t, qsizetype i)
{
    if (i >= t.size())
        return t.size();
    if (t.mid(i, 2) == "<<" || t[i] == '[') {
        const bool dictionary = t[i] == '<';
        i += dictionary ? 2 : 1;
        while (true) {
            i = skipSpace(t, i);
            if (i >= t.size())
                return t.size();
            if (dictionary ? t.mid(i, 2) == ">>" : t[i] == ']')
                return i + (dictionary ? 2 : 1);
            i = skipValue(t, i);
        }
    }
    if (t[i] == '(') {
        int depth = 0;
        for (; i < t.size(); ++i) {
            if (t[i] == '\\')
                ++i;
            else if (t[i] == '(')
                ++depth;
            else if (t[i] == ')' && --depth == 0)
                return i + 1;
        }
        return t.size();
    }
    if (t[i] == '<') {
        const qsizetype end = t.indexOf('>', i);
        return end < 0 ? t.size() : end + 1;
    }
    if (t[i] == ']' || t[i] == '>' || t[i] == ')')  // stray closers of a damaged text
        return i + 1;
    ++i;
    while (i < t.size() && !isDelimiter(t[i]))
        ++i;
    return i;
}

// A reference "N G R" starting at i: its object number and its end.
std::optional<std::pair<int, qsizetype>> referenceAt(const QByteArray& t, qsizetype i)
{
    qsizetype j = i;
    while (j < t.size() && std::isdigit(uchar(t[j])))
        ++j;
    if (j == i || j - i > 9 || (i > 0 && !isDelimiter(t[i - 1])))
        return std::nullopt;
    qsizetype k = skipSpace(t, j);
    const qsizetype generation = k;
    while (k < t.size() && std::isdigit(uchar(t[k])))
        ++k;
    if (k == generation || k == j)
        return std::nullopt;
    k = skipSpace(t, k);
    if (k >= t.size() || t[k] != 'R' || (k + 1 < t.size() && !isDelimiter(t[k + 1])))
        return std::nullopt;
    return std::pair(t.mid(i, j - i).toInt(), k + 1);
}

std::optional<int> referenceIn(const std::optional<QByteArray>& value)
{
    if (!value)
        return std::nullopt;
    const auto reference = referenceAt(*value, 0);
    return reference ? std::optional(reference->first) : std::nullopt;
}

// The text with every reference to a kept object renumbered.
QByteArray renumbered(const QByteArray& t, const std::map<int, int>& numbers)
{
    QByteArray out;
    out.reserve(t.size());
    for (qsizetype i = 0; i < t.size();) {
        if (t[i] == '(') {  // strings are copied as they are
            const qsizetype end = skipValue(t, i);
            out += t.mid(i, end - i);
            i = end;
            continue;
        }
        if (const auto reference = referenceAt(t, i)) {
            const auto found = numbers.find(reference->first);
            out += QByteArray::number(found == numbers.end() ? 0 : found->second) + " 0 R";
            i = reference->second;
            continue;
        }
        out += t[i++];
    }
    return out;
}

QString unreadable()
{
    return QStringLiteral("не удалось собрать страницу PDF");
}

} // namespace

std::optional<QByteArray> pdfValue(const QByteArray& dictionary, const QByteArray& key)
{
    const QByteArray name = '/' + key;
    for (qsizetype at = dictionary.indexOf(name); at >= 0; at = dictionary.indexOf(name, at + 1)) {
        const qsizetype after = at + name.size();
        if (after < dictionary.size() && !isDelimiter(dictionary[after]))
            continue;  // a longer name that starts alike
        const qsizetype start = skipSpace(dictionary, after);
        if (const auto reference = referenceAt(dictionary, start))
            return dictionary.mid(start, reference->second - start);
        return dictionary.mid(start, skipValue(dictionary, start) - start);
    }
    return std::nullopt;
}

std::vector<int> pdfReferences(const QByteArray& text)
{
    std::vector<int> found;
    for (qsizetype i = 0; i < text.size();) {
        if (text[i] == '(') {
            i = skipValue(text, i);
        } else if (const auto reference = referenceAt(text, i)) {
            found.push_back(reference->first);
            i = reference->second;
        } else {
            ++i;
        }
    }
    return found;
}

PdfObjects::PdfObjects(const QByteArray& document) : bytes_(document)
{
    const qsizetype start = document.lastIndexOf("startxref");
    if (start < 0)
        return;
    bool ok = false;
    const qsizetype table = document.mid(start + 9, 24).trimmed().split('\n').value(0).trimmed().toLongLong(&ok);
    if (!ok || table < 0 || table >= document.size() || !document.mid(table).startsWith("xref"))
        return;
    qsizetype i = skipSpace(document, table + 4);
    while (i < document.size() && std::isdigit(uchar(document[i]))) {
        const qsizetype lineEnd = document.indexOf('\n', i);
        if (lineEnd < 0)
            return;
        const QList<QByteArray> header = document.mid(i, lineEnd - i).simplified().split(' ');
        const int first = header.value(0).toInt(), count = header.value(1).toInt();
        i = lineEnd + 1;
        for (int n = 0; n < count; ++n, i += 20) {
            const QByteArray entry = document.mid(i, 20);
            if (entry.size() < 18)
                return;
            if (entry[17] == 'n')
                offsets_[first + n] = entry.left(10).toLongLong();
        }
        i = skipSpace(document, i);
    }
    if (!document.mid(i).startsWith("trailer"))
        return;
    const qsizetype open = skipSpace(document, i + 7);
    trailer_ = document.mid(open, skipValue(document, open) - open);
    valid_ = true;
}

std::optional<qint64> PdfObjects::integerValue(const QByteArray& value) const
{
    if (const auto reference = referenceAt(value, 0)) {
        const auto target = object(reference->first);
        if (!target || target->hasStream)
            return std::nullopt;
        return integerValue(target->dictionary.trimmed());
    }
    bool ok = false;
    const qint64 number = value.trimmed().toLongLong(&ok);
    return ok && number >= 0 ? std::optional(number) : std::nullopt;
}

std::optional<PdfObjects::Object> PdfObjects::object(int number) const
{
    const auto found = offsets_.find(number);
    if (found == offsets_.end() || found->second < 0 || found->second >= bytes_.size())
        return std::nullopt;
    const qsizetype header = bytes_.indexOf("obj", found->second);
    if (header < 0)
        return std::nullopt;
    const qsizetype start = skipSpace(bytes_, header + 3);
    const qsizetype end = skipValue(bytes_, start);
    Object object;
    object.dictionary = bytes_.mid(start, end - start);
    qsizetype data = skipSpace(bytes_, end);
    if (!bytes_.mid(data, 6).startsWith("stream"))
        return object;
    data += 6;
    if (bytes_.mid(data, 2) == "\r\n")
        data += 2;
    else if (data < bytes_.size() && bytes_[data] == '\n')
        data += 1;
    const auto length = pdfValue(object.dictionary, "Length");
    const auto size = length ? integerValue(*length) : std::nullopt;
    if (!size || data + *size > bytes_.size())
        return std::nullopt;
    object.stream = bytes_.mid(data, *size);
    object.hasStream = true;
    return object;
}

PdfPageJoin::PdfPageJoin(QIODevice& output) : output_(output)
{
    put("%PDF-1.4\n%\xE2\xE3\xCF\xD3\n");
}

int PdfPageJoin::newObject()
{
    offsets_.push_back(-1);
    return int(offsets_.size());
}

void PdfPageJoin::beginObject(int number)
{
    offsets_[number - 1] = written_;
    put(QByteArray::number(number) + " 0 obj\n");
}

void PdfPageJoin::put(const QByteArray& bytes)
{
    if (failed_)
        return;
    if (output_.write(bytes) != bytes.size())
        failed_ = true;
    written_ += bytes.size();
}

std::optional<QString> PdfPageJoin::addPart(const QByteArray& document)
{
    const PdfObjects objects(document);
    const auto catalog = objects.isValid() ? objects.object(referenceIn(pdfValue(objects.trailer(), "Root")).value_or(-1))
                                           : std::nullopt;
    const auto pages = catalog ? objects.object(referenceIn(pdfValue(catalog->dictionary, "Pages")).value_or(-1))
                               : std::nullopt;
    const auto kids = pages ? pdfValue(pages->dictionary, "Kids") : std::nullopt;
    const std::vector<int> kidNumbers = kids ? pdfReferences(*kids) : std::vector<int>();
    const auto page = kidNumbers.empty() ? std::nullopt : objects.object(kidNumbers.front());
    const auto contents = page ? objects.object(referenceIn(pdfValue(page->dictionary, "Contents")).value_or(-1))
                               : std::nullopt;
    const auto resources = page ? pdfValue(page->dictionary, "Resources") : std::nullopt;
    const auto mediaBox = page ? pdfValue(page->dictionary, "MediaBox") : std::nullopt;
    if (!contents || !contents->hasStream || !resources || !mediaBox)
        return unreadable();
    if (mediaBox_.isEmpty())
        mediaBox_ = *mediaBox;

    // Everything the resources lead to, each once, under new numbers.
    std::map<int, int> numbers;
    std::vector<int> pending = pdfReferences(*resources), order;
    if (info_ == 0)
        if (const auto info = referenceIn(pdfValue(objects.trailer(), "Info")))
            pending.push_back(*info);
    while (!pending.empty()) {
        const int number = pending.back();
        pending.pop_back();
        if (numbers.count(number))
            continue;
        const auto object = objects.object(number);
        if (!object)
            return unreadable();
        numbers[number] = newObject();
        order.push_back(number);
        for (int next : pdfReferences(object->dictionary))
            pending.push_back(next);
    }
    if (info_ == 0)
        if (const auto info = referenceIn(pdfValue(objects.trailer(), "Info")))
            info_ = numbers[*info];
    for (int number : order) {
        const auto object = objects.object(number);
        beginObject(numbers[number]);
        put(renumbered(object->dictionary, numbers));
        if (object->hasStream)
            put("\nstream\n" + object->stream + "\nendstream");
        put("\nendobj\n");
    }

    const int form = newObject();
    beginObject(form);
    QByteArray dictionary = "<<\n/Type /XObject\n/Subtype /Form\n/BBox " + mediaBox_ + "\n/Resources "
                            + renumbered(*resources, numbers);
    for (const char* key : {"Filter", "DecodeParms"})
        if (const auto value = pdfValue(contents->dictionary, key))
            dictionary += "\n/" + QByteArray(key) + " " + *value;
    put(dictionary + "\n/Length " + QByteArray::number(contents->stream.size()) + "\n>>\nstream\n" + contents->stream
        + "\nendstream\nendobj\n");
    forms_.push_back(form);
    return failed_ ? std::optional(unreadable()) : std::nullopt;
}

std::optional<QString> PdfPageJoin::finish()
{
    if (forms_.empty())
        return unreadable();
    QByteArray drawing, names;
    for (std::size_t i = 0; i < forms_.size(); ++i) {
        const QByteArray name = "/Part" + QByteArray::number(qulonglong(i + 1));
        drawing += name + " Do\n";
        names += name + ' ' + QByteArray::number(forms_[i]) + " 0 R\n";
    }
    const int contents = newObject(), page = newObject(), pages = newObject(), catalog = newObject();
    beginObject(contents);
    put("<<\n/Length " + QByteArray::number(drawing.size()) + "\n>>\nstream\n" + drawing + "\nendstream\nendobj\n");
    beginObject(page);
    put("<<\n/Type /Page\n/Parent " + QByteArray::number(pages) + " 0 R\n/Contents " + QByteArray::number(contents)
        + " 0 R\n/Resources <<\n/XObject <<\n" + names + ">>\n>>\n/MediaBox " + mediaBox_ + "\n>>\nendobj\n");
    beginObject(pages);
    put("<<\n/Type /Pages\n/Kids [" + QByteArray::number(page) + " 0 R]\n/Count 1\n>>\nendobj\n");
    beginObject(catalog);
    put("<<\n/Type /Catalog\n/Pages " + QByteArray::number(pages) + " 0 R\n>>\nendobj\n");

    const qint64 table = written_;
    QByteArray xref = "xref\n0 " + QByteArray::number(qulonglong(offsets_.size() + 1)) + "\n0000000000 65535 f \n";
    for (qint64 offset : offsets_)
        xref += QByteArray::number(offset).rightJustified(10, '0') + " 00000 n \n";
    put(xref);
    QByteArray trailer = "trailer\n<<\n/Size " + QByteArray::number(qulonglong(offsets_.size() + 1)) + "\n/Root "
                         + QByteArray::number(catalog) + " 0 R\n";
    if (info_)
        trailer += "/Info " + QByteArray::number(info_) + " 0 R\n";
    put(trailer + ">>\nstartxref\n" + QByteArray::number(table) + "\n%%EOF\n");
    return failed_ ? std::optional(unreadable()) : std::nullopt;
}
