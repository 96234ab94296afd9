#include "HtmlTable.h"

#include <QStringList>

namespace qb {
namespace {

// The text of an entity; one outside the few that numbers need stays as it is.
QString EntityText(QStringView name) {
    if (name.startsWith(u'#')) {
        const bool hex = name.size() > 1 && name[1].toLower() == u'x';
        const char32_t code = name.mid(hex ? 2 : 1).toUInt(nullptr, hex ? 16 : 10);
        return QString::fromUcs4(&code, 1);
    }
    static const QList<std::pair<QString, QString>> kNamed = {
        {QStringLiteral("amp"), QStringLiteral("&")},
        {QStringLiteral("lt"), QStringLiteral("<")},
        {QStringLiteral("gt"), QStringLiteral(">")},
        {QStringLiteral("quot"), QStringLiteral("\"")},
        {QStringLiteral("apos"), QStringLiteral("'")},
        {QStringLiteral("nbsp"), QString(QChar(0xA0))},
        {QStringLiteral("minus"), QString(QChar(0x2212))}};
    for (const auto& [entity, text] : kNamed) {
        if (name == entity) {
            return text;
        }
    }
    return u'&' + name.toString() + u';';
}

bool IsHtmlBlank(QChar c) {
    return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r' || c == u'\f';
}

class TableReader {
public:
    void Tag(QStringView tag) {
        const QString name = tag.toString().section(u' ', 0, 0).toLower().remove(u'/');
        const bool closing = tag.startsWith(u'/');
        if (name == u"table" && closing) {
            done_ = true;
        } else if (name == u"tr") {
            EndRow();
        } else if (name == u"td" || name == u"th") {
            EndCell();
            inCell_ = !closing;
        } else if (name == u"br" || name == u"p") {
            Text(u" ");
        }
    }
    void Text(QStringView text) {
        for (const QChar c : text) {
            if (inCell_ && !(IsHtmlBlank(c) && (cell_.isEmpty() || cell_.endsWith(u' ')))) {
                cell_ += IsHtmlBlank(c) ? u' ' : c;
            }
        }
    }
    bool Done() const { return done_; }
    QString Lines() {
        EndRow();
        return lines_;
    }

private:
    void EndCell() {
        if (inCell_) {
            cells_ << cell_.trimmed();
            cell_.clear();
            inCell_ = false;
        }
    }
    void EndRow() {
        EndCell();
        if (!cells_.isEmpty()) {
            lines_ += cells_.join(u'\t') + u'\n';
            cells_.clear();
        }
    }

    QString lines_;
    QStringList cells_;
    QString cell_;
    bool inCell_ = false;
    bool done_ = false;
};

} // namespace

QString HtmlTableText(QStringView html) {
    const qsizetype start = html.indexOf(u"<table", 0, Qt::CaseInsensitive);
    if (start < 0) {
        return {};
    }
    TableReader table;
    for (qsizetype i = start; i < html.size() && !table.Done();) {
        if (html.mid(i).startsWith(u"<!--")) {
            const qsizetype end = html.indexOf(u"-->", i);
            i = end < 0 ? html.size() : end + 3;
        } else if (html[i] == u'<') {
            const qsizetype end = html.indexOf(u'>', i);
            table.Tag(html.mid(i + 1, (end < 0 ? html.size() : end) - i - 1).trimmed());
            i = end < 0 ? html.size() : end + 1;
        } else if (html[i] == u'&') {
            const qsizetype end = html.indexOf(u';', i);
            const bool entity = end > i && end - i <= 10;
            table.Text(entity ? EntityText(html.mid(i + 1, end - i - 1)) : QStringLiteral("&"));
            i = entity ? end + 1 : i + 1;
        } else {
            qsizetype end = i + 1;
            while (end < html.size() && html[end] != u'<' && html[end] != u'&') {
                ++end;
            }
            table.Text(html.mid(i, end - i));
            i = end;
        }
    }
    return table.Lines();
}

} // namespace qb
