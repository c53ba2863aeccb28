#pragma once

#include "cad/DxfPlan.h"
#include "core/SiteFile.h"

#include <string>

namespace tav::cad {

// Writes a plan as an ASCII DXF drawing of AutoCAD R12 (AC1009), which every CAD program
// opens, in metres ($INSUNITS 6), moved to the site's coordinates. Numbers are written in
// their shortest exact form, whatever the locale, so that coordinates of millions of
// metres keep their millimetres. Saved through AtomicFileWriter: an earlier file is
// replaced only by a complete one.
class DxfWriter {
public:
    DxfWriter(double siteX, double siteY) : m_siteX(siteX), m_siteY(siteY) {}

    std::string text(const DxfPlan &plan) const;
    SiteWriteResult write(const std::string &path, const DxfPlan &plan) const;

private:
    void header(std::string &out, const DxfPlan &plan) const;
    void tables(std::string &out, const DxfPlan &plan) const;
    void entities(std::string &out, const DxfPlan &plan) const;
    void point(std::string &out, int code, const DxfVertex &v) const;

    double m_siteX;
    double m_siteY;
};

} // namespace tav::cad
