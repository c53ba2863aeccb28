#include "document/DocumentWording.h"

#include "core/design/DesignBrief.h"
#include "text/StringIds.h"

using Kind = tav::DocumentError::Kind;

unsigned DocumentWording::errorId(Kind kind) {
    switch (kind) {
    case Kind::None:
        return 0;
    case Kind::NotJson:
        return StringId::kDocumentErrors + 0;
    case Kind::NotAnObject:
        return StringId::kDocumentErrors + 1;
    case Kind::MissingKey:
        return StringId::kDocumentErrors + 2;
    case Kind::UnknownKey:
        return StringId::kDocumentErrors + 3;
    case Kind::NotANumber:
        return StringId::kDocumentErrors + 4;
    case Kind::NotAnInteger:
        return StringId::kDocumentErrors + 5;
    case Kind::NotAnArray:
        return StringId::kDocumentErrors + 6;
    case Kind::NotABoolean:
        return StringId::kDocumentErrors + 7;
    case Kind::WrongLength:
        return StringId::kDocumentErrors + 8;
    case Kind::SoilShape:
        return StringId::kDocumentErrors + 9;
    case Kind::CountOutOfRange:
        return StringId::kDocumentErrors + 10;
    case Kind::NotPositive:
        return StringId::kDocumentShapeErrors + 0;
    case Kind::CutTooLarge:
        return StringId::kDocumentShapeErrors + 1;
    case Kind::TooFewRods:
        return StringId::kDocumentShapeErrors + 2;
    case Kind::NotBodyWeight:
        return StringId::kDocumentShapeErrors + 3;
    case Kind::NotAVersion:
        return StringId::kDocumentVersionErrors + 0;
    case Kind::NewerVersion:
        return StringId::kDocumentVersionErrors + 1;
    case Kind::NotText:
        return StringId::kDocumentVersionErrors + 2;
    case Kind::BeyondReach:
        return StringId::kDocumentReachErrors + 0;
    case Kind::DuplicateKey:
        return StringId::kDocumentReachErrors + 1;
    case Kind::TooFewCorners:
        return StringId::kDocumentPlaceErrors + 0;
    case Kind::SelfCrossing:
        return StringId::kDocumentPlaceErrors + 1;
    case Kind::NoArea:
        return StringId::kDocumentPlaceErrors + 2;
    case Kind::UnknownGroup:
        return StringId::kDocumentPlaceErrors + 3;
    case Kind::UnknownCriteria:
        return StringId::kDocumentPlaceErrors + 4;
    case Kind::Negative:
        return StringId::kDocumentPlaceErrors + 5;
    case Kind::TooManyLayers:
        return StringId::SoilLayers::kTooMany;
    case Kind::LastLayerThickness:
        return StringId::SoilLayers::kLastThickness;
    case Kind::LayersBeside:
        return StringId::SoilLayers::kBeside;
    case Kind::NoLayers:
        return StringId::SoilLayers::kNone;
    case Kind::Refused:
        return StringId::Network::kRefusedAt;
    case Kind::BesideNetwork:
        return StringId::Network::kBesideNetwork;
    case Kind::LayersDisagree:
        return StringId::DocumentFaults::kLayersDisagree;
    case Kind::TooManyCorners:
        return StringId::DocumentFaults::kTooManyCorners;
    case Kind::TooFewOutlineCorners:
        return StringId::Outline::kTooFewOutlineCorners;
    case Kind::BesideOutline:
        return StringId::Outline::kBesideOutline;
    case Kind::WithoutOutline:
        return StringId::Outline::kWithoutOutline;

    case Kind::EmptyName:
        return StringId::Cases::kEmptyName;
    case Kind::NameTaken:
        return StringId::Cases::kNameTaken;
    case Kind::CaseCount:
        return StringId::Cases::kCaseCount;
    case Kind::NoRodLengths:
        return StringId::Design::kNoRodLengths;
    case Kind::DesignDepth:
        return StringId::Design::kDepthRange;
    case Kind::DesignDiameter:
        return StringId::Design::kDiameterRange;
    case Kind::DesignRodLength:
        return StringId::Design::kRodLengthRange;
    case Kind::DesignedLines:
        return StringId::DesignRecord::kLines;
    case Kind::DesignedLinesOrder:
        return StringId::DesignRecord::kLinesOrder;
    case Kind::DesignedSpacing:
        return StringId::DesignRecord::kSpacing;
    case Kind::DesignedRunnerUps:
        return StringId::DesignRecord::kRunnerUps;
    case Kind::DesignedMargin:
        return StringId::DesignRecord::kMargin;

    case Kind::DecrementWithoutBasis:
        return StringId::CaseKeys::kDecrementWithoutBasis;
    case Kind::DecrementBesideCurrent:
        return StringId::CaseKeys::kDecrementBesideCurrent;
    }
    return 0;
}

unsigned DocumentWording::leftOutId(tav::cad::LeftOutReason why) {
    using Why = tav::cad::LeftOutReason;
    switch (why) {
    case Why::LayerNotNamed:
        return StringId::kImportLeftOutWhy + 0;
    case Why::ConductorLacks:
        return StringId::kImportLeftOutWhy + 1;
    case Why::RodLacks:
        return StringId::kImportLeftOutWhy + 2;
    case Why::TooShort:
        return StringId::ImportLeftOut::kTooShort;
    case Why::TooFar:
        return StringId::ImportLeftOut::kTooFar;
    case Why::FenceLacks:
        return StringId::DrawingRoles::kFenceLacks;
    case Why::AreaLacks:
        return StringId::DrawingRoles::kAreaLacks;
    case Why::OutlineUnfit:
        return StringId::DrawingRoles::kOutlineUnfit;
    case Why::SecondSurface:
        return StringId::DrawingRoles::kSecondSurface;
    }
    return 0;
}

QString DocumentWording::error(const tav::DocumentError &error, const Wording::Lookup &lookup) {
    const unsigned id = errorId(error.kind);
    if (id == 0)
        return QString();
    const QString text = lookup(id);
    // The parser's own kind of fault, in the table's words: a number too large for a
    // double or nesting too deep says so.
    if (error.kind == Kind::NotJson && error.parseError > 0 && error.parseError <= 14)
        return lookup(StringId::kNotJsonBecause)
            .arg(error.offset)
            .arg(lookup(StringId::kJsonParseErrors + unsigned(error.parseError) - 1));
    if (error.kind == Kind::NotJson)
        return text.arg(error.offset);
    if (error.kind == Kind::NewerVersion)
        return text.arg(QString::number(error.found, 'f', 0)).arg(error.expected);
    const QString where = error.path.isEmpty() ? lookup(StringId::kTheDocument) : error.path;
    if (error.kind == Kind::Refused && error.refusal)
        return text.arg(where, Wording(lookup).refusal(*error.refusal));
    using tav::design::DesignBrief;
    if (error.kind == Kind::DesignDepth)
        return text.arg(where).arg(DesignBrief::kLeastDepth).arg(DesignBrief::kGreatestDepth);
    if (error.kind == Kind::DesignDiameter)
        return text.arg(where).arg(DesignBrief::kGreatestDiameter);
    if (error.kind == Kind::DesignRodLength)
        return text.arg(where).arg(DesignBrief::kGreatestRodLength);
    if (error.kind == Kind::WrongLength || error.kind == Kind::CountOutOfRange ||
        error.kind == Kind::TooFewRods || error.kind == Kind::BeyondReach ||
        error.kind == Kind::TooManyLayers || error.kind == Kind::TooManyCorners ||
        error.kind == Kind::TooFewOutlineCorners || error.kind == Kind::CaseCount ||
        error.kind == Kind::DesignedLines || error.kind == Kind::DesignedRunnerUps)
        return text.arg(where).arg(error.expected);
    return text.arg(where);
}
