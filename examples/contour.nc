(contour.nc: outside profile of a 4 x 3 inch plate, 1/4 inch end mill)
(Rounded corners are G2/G3 arcs; the gently curved top edge is a polyline whose)
(shallow corners the converter rounds with tangent fillet arcs, so the cutter)
(keeps moving instead of stopping at every vertex.)
G90 G17
M6 T1
S12000 M3
G0 Z0.2
G0 X-0.25 Y0
G1 Z-0.125 F20
G1 X0 Y0 F40
G1 X3.5 Y0
G3 X4 Y0.5 I0 J0.5
G1 X4 Y2.5
G3 X3.5 Y3 I-0.5 J0
G1 X3.0 Y3.02
G1 X2.5 Y3.035
G1 X2.0 Y3.04
G1 X1.5 Y3.035
G1 X1.0 Y3.02
G1 X0.5 Y3
G3 X0 Y2.5 I0 J-0.5
G1 X0 Y1.75
(a shallow notch: two corners of a few degrees, filleted)
G1 X0.05 Y1.5
G1 X0 Y1.25
G1 X0 Y0.5
G3 X0.5 Y0 I0.5 J0
G1 X0.75 Y0
G0 Z0.2
M5
G0 X0 Y0 Z1
M30
