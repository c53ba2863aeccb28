#include "text/Wording.h"

#include "core/NumericText.h"
#include "text/StringIds.h"

#include <utility>

using tav::Error;
using tav::Quantity;
using tav::Warning;

namespace {

template <std::size_t N> unsigned entryId(const std::array<unsigned, N> &ids, int index) {
    return index >= 0 && index < static_cast<int>(N) ? ids[index] : 0;
}

} // namespace

Wording::Wording(Lookup lookup) : m_lookup(std::move(lookup)) {}

unsigned Wording::refusalId(Error error) {
    switch (error) {
    case Error::TargetResistance:
        return StringId::kTargetResistance;
    case Error::SoilResistivity:
        return StringId::kSoilResistivity;
    case Error::NotPositive:
        return StringId::kRefusals + 0;
    case Error::NegativeCount:
        return StringId::kRefusals + 1;
    case Error::BeyondRange:
        return StringId::kRefusals + 2;
    case Error::SpacingLargerThanSide:
        return StringId::kRefusals + 3;
    case Error::SpacingDoesNotDivide:
        return StringId::kRefusals + 4;
    case Error::DiameterNotBelowDepth:
        return StringId::kRefusals + 5;
    case Error::MeshFactorUndefined:
        return StringId::kRefusals + 6;
    case Error::ReadingSpacingNotPositive:
        return StringId::kRefusals + 7;
    case Error::ReadingResistivityNotPositive:
        return StringId::kRefusals + 8;
    case Error::SameSpacingTwice:
        return StringId::kRefusals + 9;
    case Error::TooFewReadings:
        return StringId::kRefusals + 10;
    // The fault current and the conductor's sizing.
    case Error::NotAFraction:
        return StringId::kRefusals + 50;
    case Error::BelowOne:
        return StringId::kRefusals + 51;
    case Error::AmbientTooCold:
        return StringId::kRefusals + 52;
    case Error::NotAboveAmbient:
        return StringId::kRefusals + 53;
    case Error::AboveFusing:
        return StringId::kRefusals + 54;
    case Error::ReadingSpacingOutOfRange:
        return StringId::kRefusals + 11;
    case Error::ReadingResistivityOutOfRange:
        return StringId::kRefusals + 12;
    case Error::ResultNotPositive:
        return StringId::kRefusals + 13;
    case Error::DiameterNotBelowBore:
        return StringId::kRefusals + 14;
    case Error::DepthNotBelowLength:
        return StringId::kRefusals + 15;
    case Error::NegativeOrNotFinite:
        return StringId::kEarthingRefusals + 0;
    case Error::ConductorNotFinite:
        return StringId::kEarthingRefusals + 1;
    case Error::ConductorZeroLength:
        return StringId::kEarthingRefusals + 2;
    case Error::ConductorAboveSurface:
        return StringId::kEarthingRefusals + 3;
    case Error::ConductorOnSurface:
        return StringId::kEarthingRefusals + 4;
    case Error::ConductorDiameterNotPositive:
        return StringId::kEarthingRefusals + 5;
    case Error::ConductorDiameterNotBelowLength:
        return StringId::kEarthingRefusals + 6;
    case Error::GroupNegative:
        return StringId::kEarthingRefusals + 7;
    case Error::ConductorsOverlap:
        return StringId::kEarthingRefusals + 8;
    case Error::NoEnergisedConductor:
        return StringId::kEarthingRefusals + 9;
    case Error::GroupWithoutConductors:
        return StringId::kEarthingRefusals + 10;
    case Error::PointNotFinite:
        return StringId::kEarthingRefusals + 11;
    case Error::TooManySegments:
        return StringId::kEarthingRefusals + 12;
    case Error::TooManyPoints:
        return StringId::kEarthingRefusals + 13;
    case Error::TooManySearchPoints:
        return StringId::kEarthingRefusals + 14;
    case Error::SeriesDoesNotConverge:
        return StringId::kEarthingRefusals + 15;
    case Error::Cancelled:
        return StringId::kEarthingRefusals + 16;
    case Error::TooManyTableIntervals:
        return StringId::kEarthingLimitRefusals + 0;
    case Error::TooManyConductors:
        return StringId::kEarthingLimitRefusals + 1;
    case Error::ResultNotFinite:
        return StringId::kEarthingLimitRefusals + 2;
    case Error::ConductorBeyondReach:
        return StringId::kEarthingReachRefusals + 0;
    case Error::PointBeyondReach:
        return StringId::kEarthingReachRefusals + 1;
    case Error::BelowFloor:
        return StringId::kEarthingReachRefusals + 2;
    case Error::ConductorDiameterBelowFloor:
        return StringId::kEarthingReachRefusals + 3;
    case Error::ConductorRadiusAboveSurface:
        return StringId::kEarthingReachRefusals + 4;
    case Error::GroupsTouch:
        return StringId::kEarthingReachRefusals + 5;
    case Error::TouchAreaNotPolygon:
        return StringId::kTouchAreaRefusals + 0;
    case Error::TouchGroupMissing:
        return StringId::kTouchAreaRefusals + 1;
    case Error::PotentialSpacingNotBelowCurrent:
        return StringId::kLayeredRefusals + 0;
    case Error::LayerCountOutOfRange:
        return StringId::kLayeredRefusals + 1;
    case Error::TooFewReadingsForLayers:
        return StringId::kLayeredRefusals + 2;
    case Error::ReadingsRowUnreadable:
        return StringId::kLayeredRefusals + 3;
    case Error::LayerNotPositive:
        return StringId::SoilLayers::kNotPositive;
    case Error::NotEnoughMemory:
        return StringId::kEarthingLimitRefusals + 3;
    case Error::DrawingNotDxf:
    case Error::DrawingBinaryDxf:
    case Error::DrawingTooLarge:
    case Error::DrawingTooManyEntities:
    case Error::DrawingBlocksTooDeep:
    case Error::DrawingBlockCycle:
    case Error::DrawingUnreadable:
    case Error::DrawingUnitsUnknown:
    case Error::DrawingCannotOpen:
    case Error::DrawingBeyondReach:
        return StringId::kDrawingRefusals + (unsigned(error) - unsigned(Error::DrawingNotDxf));
    case Error::TooManyReadings:
        return StringId::InputRefusals::kTooManyReadings;
    case Error::PotentialSpacingNotPositive:
        return StringId::InputRefusals::kPotentialSpacingNotPositive;
    case Error::ReadingsHeaderUnclear:
        return StringId::InputRefusals::kReadingsHeaderUnclear;
    case Error::DrawingUnitNotTaken:
        return StringId::InputRefusals::kDrawingUnitNotTaken;
    case Error::AboveCeiling:
        return StringId::InputRefusals::kAboveCeiling;
    case Error::CrossingsBeyondLimit:
        return StringId::InputRefusals::kCrossingsBeyondLimit;
    case Error::TooFewReadingsForSounding:
        return StringId::InputRefusals::kTooFewReadingsForSounding;

    case Error::NotFinite:
    case Error::NotPowerFrequency:
    case Error::TooManySpans:
    case Error::EndlessTowerList:
    case Error::TowerCountMismatch:
    case Error::RadiusNotBelowDistance:
    case Error::ArmourNotOutsideSheath:
    case Error::GivenImpedanceNotAlone:
    case Error::NoFaultCurrent:
        return StringId::Network::kRefusals + (unsigned(error) - unsigned(Error::NotFinite));

    case Error::PotentialBeyondMetal:
        return StringId::Accuracy::kPotentialBeyondMetal;
    case Error::SweepStepZero:
        return StringId::Sweep::kStepZero;
    case Error::SweepStepWrongSign:
        return StringId::Sweep::kStepWrongSign;
    case Error::SweepTooManyPoints:
        return StringId::Sweep::kTooManyPoints;
    case Error::SweepNotWhole:
        return StringId::Sweep::kNotWhole;
    case Error::SweepNotFinite:
        return StringId::Sweep::kNotFinite;
    case Error::LayerTooThinBesideConductors:
        return StringId::Accuracy::kLayerTooThin;
    }
    return 0;
}

unsigned Wording::quantityId(Quantity quantity) {
    switch (quantity) {
    case Quantity::None:
        return 0;
    case Quantity::SoilResistivity:
        return StringId::kQuantities + 0;
    case Quantity::GridSideX:
        return StringId::kQuantities + 1;
    case Quantity::GridSideY:
        return StringId::kQuantities + 2;
    case Quantity::ConductorSpacing:
        return StringId::kQuantities + 3;
    case Quantity::BurialDepth:
        return StringId::kQuantities + 4;
    case Quantity::ConductorDiameter:
        return StringId::kQuantities + 5;
    case Quantity::GridCurrent:
        return StringId::kQuantities + 6;
    case Quantity::FaultDuration:
        return StringId::kQuantities + 7;
    case Quantity::SurfaceResistivity:
        return StringId::kQuantities + 8;
    case Quantity::SurfaceThickness:
        return StringId::kQuantities + 9;
    case Quantity::RodCount:
        return StringId::kQuantities + 10;
    case Quantity::RodLength:
        return StringId::kQuantities + 11;
    // The fault current and the conductor's sizing.
    case Quantity::FaultCurrent:
        return StringId::kQuantities + 50;
    case Quantity::SplitFactor:
        return StringId::kQuantities + 51;
    case Quantity::DecrementFactor:
        return StringId::kQuantities + 52;
    case Quantity::XOverR:
        return StringId::kQuantities + 53;
    case Quantity::Frequency:
        return StringId::kQuantities + 54;
    case Quantity::AmbientTemperature:
        return StringId::kQuantities + 55;
    case Quantity::MaximumTemperature:
        return StringId::kQuantities + 56;
    case Quantity::ShortestRodLength:
        return StringId::kQuantities + 12;
    case Quantity::LongestRodLength:
        return StringId::kQuantities + 13;
    case Quantity::RodDiameter:
        return StringId::kQuantities + 14;
    case Quantity::HorizontalLength:
        return StringId::kQuantities + 15;
    case Quantity::VerticalLength:
        return StringId::kQuantities + 16;
    case Quantity::HorizontalSpacing:
        return StringId::kQuantities + 17;
    case Quantity::VerticalSpacing:
        return StringId::kQuantities + 18;
    case Quantity::MeshFactor:
        return StringId::kQuantities + 19;
    case Quantity::StepFactor:
        return StringId::kQuantities + 20;
    case Quantity::MeshVoltage:
        return StringId::kQuantities + 21;
    case Quantity::StepVoltage:
        return StringId::kQuantities + 22;
    case Quantity::GroundPotentialRise:
        return StringId::kQuantities + 23;
    case Quantity::TolerableTouchVoltage:
        return StringId::kQuantities + 24;
    case Quantity::TolerableStepVoltage:
        return StringId::kQuantities + 25;
    case Quantity::TopLayerResistivity:
        return StringId::kEarthingQuantities + 0;
    case Quantity::BottomLayerResistivity:
        return StringId::kEarthingQuantities + 1;
    case Quantity::TopLayerThickness:
        return StringId::kEarthingQuantities + 2;
    case Quantity::InjectedCurrent:
        return StringId::kEarthingQuantities + 3;
    case Quantity::SegmentLength:
        return StringId::kEarthingQuantities + 4;
    case Quantity::SearchStep:
        return StringId::kEarthingQuantities + 5;
    case Quantity::SearchMargin:
        return StringId::kEarthingQuantities + 6;
    case Quantity::EarthingResistance:
        return StringId::kEarthingResultQuantities + 0;
    case Quantity::WorstTouchVoltage:
        return StringId::kEarthingResultQuantities + 1;
    case Quantity::WorstStepVoltage:
        return StringId::kEarthingResultQuantities + 2;
    case Quantity::FootwearResistance:
        return StringId::Criteria::kFootwearQuantity;
    case Quantity::LayerResistivity:
        return StringId::SoilLayers::kResistivity;
    case Quantity::LayerThickness:
        return StringId::SoilLayers::kThickness;
    case Quantity::SpanCount:
    case Quantity::SpanLength:
    case Quantity::TowerResistance:
    case Quantity::RemoteResistance:
    case Quantity::WireResistance:
    case Quantity::GeometricMeanRadius:
    case Quantity::ConductorHeight:
    case Quantity::ConductorOffset:
    case Quantity::CableLength:
    case Quantity::EarthReturnResistivity:
    case Quantity::SelfImpedance:
    case Quantity::MutualImpedance:
    case Quantity::EarthImpedance:
    case Quantity::SourceCurrent:
    case Quantity::EarthCurrent:
        return StringId::Network::kQuantities +
               (unsigned(quantity) - unsigned(Quantity::SpanCount));

    case Quantity::PotentialCoefficients:
        return StringId::Accuracy::kPotentialCoefficients;
    case Quantity::LeakageCurrents:
        return StringId::Accuracy::kLeakageCurrents;
    case Quantity::MetalPotential:
        return StringId::Accuracy::kMetalPotential;
    case Quantity::SurfacePotential:
        return StringId::Accuracy::kSurfacePotential;
    }
    return 0;
}

unsigned Wording::cautionId(Warning warning) {
    switch (warning) {
    case Warning::ThinnerThanSized:
        return StringId::kCautions + 90;
    case Warning::BottomResistivityAtLeast:
        return StringId::kCautions + 0;
    case Warning::BottomResistivityAtMost:
        return StringId::kCautions + 1;
    case Warning::BottomResistivityUndetermined:
        return StringId::kCautions + 2;
    case Warning::TopLayerAtLeast:
        return StringId::kCautions + 3;
    case Warning::TopLayerAtMost:
        return StringId::kCautions + 4;
    case Warning::TopLayerUndetermined:
        return StringId::kCautions + 5;
    case Warning::NoModelFits:
        return StringId::kCautions + 6;
    case Warning::GeometricFactorAboveRange:
        return StringId::kCautions + 7;
    case Warning::SpacingBelowRange:
        return StringId::kCautions + 8;
    case Warning::DepthOutsideRange:
        return StringId::kCautions + 9;
    case Warning::DiameterAboveQuarterDepth:
        return StringId::kCautions + 10;
    case Warning::DurationOutsideRange:
        return StringId::kCautions + 11;
    case Warning::RodsBeyondGrid:
        return StringId::kCautions + 12;
    case tav::Warning::SeriesTruncated:
        return StringId::kEarthingCautions + 0;
    case tav::Warning::SolutionNotConverged:
        return StringId::kEarthingCautions + 1;
    case tav::Warning::DurationOutsideTable:
        return StringId::Criteria::kDurationOutsideTable;
    case tav::Warning::LayerResistivityAtLeast:
    case tav::Warning::LayerResistivityAtMost:
    case tav::Warning::LayerResistivityOpen:
    case tav::Warning::LayerThicknessAtLeast:
    case tav::Warning::LayerThicknessAtMost:
    case tav::Warning::LayerThicknessOpen:
    case tav::Warning::LayerConductanceOnly:
    case tav::Warning::LayerTransverseResistanceOnly:
        return StringId::kLayeredCautions + unsigned(warning) -
               unsigned(tav::Warning::LayerResistivityAtLeast);
    case tav::Warning::SurfaceLayerBelowSoil:
        return StringId::Accuracy::kSurfaceLayerBelowSoil;
    }
    return 0;
}

QString Wording::filled(unsigned id, Quantity quantity, const std::vector<double> &values) const {
    QString text = m_lookup(id);
    if (quantity != Quantity::None)
        text.replace(QStringLiteral("{quantity}"), this->quantity(quantity));
    for (const double value : values)
        text = text.arg(QString::fromStdString(tav::NumericText::describe(value)));
    return text;
}

QString Wording::refusal(const tav::Refusal &refusal) const {
    return filled(refusalId(refusal.error), refusal.quantity, refusal.values);
}

QString Wording::caution(const tav::Caution &caution) const {
    return filled(cautionId(caution.warning), caution.quantity, caution.values);
}

QString Wording::quantity(Quantity quantity) const {
    const unsigned id = quantityId(quantity);
    return id != 0 ? m_lookup(id) : QString();
}

QString Wording::siteItem(int item) const {
    return item >= 0 && item < tav::kSiteItems ? m_lookup(StringId::kSiteItems + item) : QString();
}

QString Wording::siteReadStatus(tav::SiteReadStatus status) const {
    return m_lookup(StringId::kSiteReadStatus + static_cast<unsigned>(status));
}

QString Wording::fileKind(tav::FileKind kind) const {
    switch (kind) {
    case tav::FileKind::RegularFile:
        return QString();
    case tav::FileKind::Directory:
        return m_lookup(StringId::kFileKinds + 0);
    case tav::FileKind::CharacterDevice:
        return m_lookup(StringId::kFileKinds + 1);
    case tav::FileKind::BlockDevice:
        return m_lookup(StringId::kFileKinds + 2);
    case tav::FileKind::Pipe:
        return m_lookup(StringId::kFileKinds + 3);
    case tav::FileKind::Socket:
        return m_lookup(StringId::kFileKinds + 4);
    case tav::FileKind::Other:
        break;
    }
    return m_lookup(StringId::kNotRegularFile);
}

QString Wording::siteOpenFailure(const tav::SiteReadResult &result) const {
    return result.kind != tav::FileKind::RegularFile
               ? fileKind(result.kind)
               : QString::fromLocal8Bit(result.reason.c_str());
}

QString Wording::siteWriteFailure(const tav::SiteWriteResult &result) const {
    return result.kind != tav::FileKind::RegularFile
               ? fileKind(result.kind)
               : QString::fromLocal8Bit(result.reason.c_str());
}

QString Wording::soilType(int index) const {
    const unsigned id = entryId(StringId::kSoilTypes, index);
    return id != 0 ? m_lookup(id) : QString();
}

QString Wording::layerStructure(int index) const {
    const unsigned id = entryId(StringId::kLayerStructures, index);
    return id != 0 ? m_lookup(id) : QString();
}

QString Wording::fieldPosition(int index) const {
    const unsigned id = entryId(StringId::kFieldPositions, index);
    return id != 0 ? m_lookup(id) : QString();
}
