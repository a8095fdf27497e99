#include "report_style.h"

const char *const kEngineeringReportCss = R"css(
@page { size: A4 portrait; margin: 10mm 12mm; }
* { box-sizing: border-box; }
html { color: #000; background: #fff; }
body { margin: 0; font-family: "Noto Sans CJK SC", "Noto Sans SC", "Source Han Sans SC",
       "Microsoft YaHei", sans-serif; font-size: 8pt; line-height: 1.25; }
main { width: 186mm; margin: 0 auto; }
header { border-bottom: 1.2pt solid #000; padding-bottom: 1.2mm; margin-bottom: 1.6mm; }
h1 { font-size: 14pt; margin: 0 0 0.8mm 0; }
h2 { font-size: 9.6pt; margin: 1.4mm 0 0.6mm 0; border-bottom: 0.4pt solid #000; }
.meta { margin: 0; }
.meta span { margin-right: 5mm; }
table { border-collapse: collapse; width: 100%; }
td, th { border: 0.4pt solid #000; padding: 0.25mm 1.2mm; vertical-align: top; }
th { background: #e8e8e8; font-weight: bold; text-align: left; }
.values td.v { text-align: right; white-space: nowrap; font-variant-numeric: tabular-nums; }
.values td.c { background: #f4f4f4; }
.checks { font-size: 7.2pt; line-height: 1.18; }
.checks td:first-child { white-space: nowrap; }
.checks td.n { text-align: right; white-space: nowrap; }
.checks .clause { font-size: 6.4pt; }
.checks tr.notjudged td { font-style: italic; border-top: 1.2pt dashed #000; border-bottom: 1.2pt dashed #000; }
.checks tr.fail td { font-weight: bold; border-top: 1.2pt solid #000; border-bottom: 1.2pt solid #000; }
.checks tr.fail .clause { font-weight: normal; }
.verdict { white-space: nowrap; }
.warnings { margin: 0; padding-left: 5mm; }
.warnings li { font-weight: bold; }
.figures { display: flex; gap: 4mm; }
.figures figure { flex: 0 0 calc(50% - 2mm); margin: 0; }
figure svg { width: 100%; height: auto; display: block; }
.figures figure svg { max-height: 44mm; }
figcaption { font-size: 7.6pt; text-align: center; }
.drawing { display: flex; gap: 4mm; align-items: flex-start; }
.drawing figure { flex: 0 0 40%; margin: 0; }
.drawing figure svg { max-height: 40mm; }
.requirements { flex: 1 1 0; border: 0.8pt solid #000; padding: 0.6mm 2mm; font-size: 7pt;
                line-height: 1.12; }
.requirements h3 { font-size: 9pt; margin: 0 0 0.6mm 0; text-align: center; letter-spacing: 2mm; }
.requirements ol { margin: 0; padding-left: 4.5mm; }
.none { margin: 0; }
.inputs { margin: 0.4mm 0 0 0; font-size: 7pt; line-height: 1.16; }
.titleblock { margin-top: 0.8mm; font-size: 7pt; line-height: 1.1; }
.titleblock td { width: 11%; padding: 0 1mm; white-space: nowrap; }
.titleblock td.c { width: 9%; background: #f4f4f4; white-space: nowrap; }
.references ol { margin: 0; padding: 0; list-style: none; font-size: 6.2pt; line-height: 1.12;
                 columns: 2; column-gap: 4mm; }
.references li { padding-left: 5.5mm; text-indent: -5.5mm; }
.references .address { overflow-wrap: anywhere; word-break: break-all; }
/* Printed on more than one sheet: no heading left at a page's foot, the
   sketch with its requirements, the title block whole. */
h1, h2, h3 { break-after: avoid; page-break-after: avoid; }
tr, li, figure, .figures, .drawing, .titleblock, section.sketch {
    break-inside: avoid; page-break-inside: avoid; }
svg text { font-family: "Noto Sans CJK SC", "DejaVu Sans", sans-serif; fill: #000; }
svg .tick { font-size: 7.5px; }
svg .label { font-size: 7.5px; }
svg .title { font-size: 8px; font-weight: bold; }
svg .grid { stroke: #bbb; stroke-width: 0.4; }
svg .axis { fill: none; stroke: #000; stroke-width: 0.8; }
svg .spring { stroke: #000; stroke-width: 1.6; }
svg .limit { fill: none; stroke: #000; stroke-width: 1.4; }
svg .mark { stroke: #000; stroke-width: 0.7; stroke-dasharray: 3 2; }
svg .range { stroke: #000; stroke-width: 2.2; }
svg .point { fill: #000; stroke: none; }
svg .start { fill: #fff; stroke: #000; stroke-width: 1; }
svg .open { fill: #fff; stroke: #000; stroke-width: 1.2; }
svg .section { fill: #fff; stroke: #000; stroke-width: 0.9; }
svg .hatch { stroke: #000; stroke-width: 0.5; }
svg .outline { stroke: #000; stroke-width: 0.9; }
svg .ring { fill: none; stroke: #000; stroke-width: 0.9; }
svg .centre { stroke: #000; stroke-width: 0.4; stroke-dasharray: 8 2 1.5 2; }
svg .thin { stroke: #000; stroke-width: 0.4; }
svg .dim { stroke: #000; stroke-width: 0.4; }
svg .arrow { fill: #000; stroke: none; }
@media screen { body { background: #ddd; } main { background: #fff; padding: 10mm 12mm;
                width: 210mm; margin: 5mm auto; } }
)css";
