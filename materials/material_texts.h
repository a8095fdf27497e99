#pragma once

#include "material_entry.h"
#include "permissible_stress.h"

#include <string>

// The texts that name a grade's figures wherever they are shown.

// "12.5" for 12.5, "79000" for 79000: the shortest text that reads back.
std::string MaterialNumber(double value);

// An Rm or a permissible stress as text prints it: to 0.1 MPa, the shortest
// text that reads back ("852.5", "1570"), never the binary tail of a share
// (852.5000000000001). JSON keeps the full number.
std::string MegapascalText(double value);

// "静负荷", "动负荷有限寿命" or "动负荷无限寿命".
const char *LoadCaption(LoadType load);

// A permissible stress as a designer writes it into a design: rounded down
// to 0.1 MPa, never above the table's. The search and --from-material take
// the same figure, so a design the search finds is the one rebuilt.
double DesignersPermissibleStress(double value);

// How to give the wire maker's certificate Rm (质保书), said wherever an Rm
// is lacking: the materials listing, --from-material, the checks' hints, the
// search, the batch rows and the page's 材料 tab all show this one text.
std::string CertificateRmHint();

// "材料表 65Mn (GB/T 1222-2007)": where a figure was taken from.
std::string MaterialTableCaption(const MaterialEntry &entry);

// Which row of the Rm table a diameter between two rows took, the next
// larger diameter's (the lower Rm): "（取 0.32 mm 一行）"; "" on a row or
// where the figures were interpolated. Short: the engineering report's one
// page has little room to spare.
std::string RmRowText(const TensileStrength &rm, double wireDiameter);
