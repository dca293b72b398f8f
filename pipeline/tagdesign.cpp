#include "tagdesign.h"

#include <Qt>

namespace pipeline {

const FieldBox* DesignRow::Field(TagField field) const {
    for (const FieldBox& box : fields)
        if (box.field == field)
            return &box;
    return nullptr;
}

const QList<DesignRow>& Designs() {
    static const QList<DesignRow> designs = {
        {Design::Symbol, QStringLiteral("symbol"), QStringLiteral("記号のみ"), {40, 30}, {}},
        {Design::Price, QStringLiteral("price"), QStringLiteral("値札"), {60, 40}, {}},
        {Design::Shelf, QStringLiteral("shelf"), QStringLiteral("棚札"), {80, 35}, {}},
    };
    return designs;
}

const DesignRow* FindDesign(QStringView option) {
    for (const DesignRow& row : Designs())
        if (row.option == option)
            return &row;
    return nullptr;
}

const DesignRow& DesignOf(Design design) {
    for (const DesignRow& row : Designs())
        if (row.design == design)
            return row;
    return Designs().front();
}

QString ExclusiveWord(ExclusiveWording wording) {
    return wording == ExclusiveWording::Hontai ? QStringLiteral("本体価格")
                                               : QStringLiteral("税抜");
}

}  // namespace pipeline
