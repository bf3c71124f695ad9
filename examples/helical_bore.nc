(helical_bore.nc: a 1.0 bore in a 0.3 plate, entered and cut by a helix of 0.05 pitch,)
(then a finishing pass at full depth and a spiral-in relief)
G90 G17
M6 T4
S12000 M3
M8
G0 Z0.2
G0 X1.5 Y1.0
G1 Z0.02
(six turns down about the bore's centre (1, 1): G2 with a Z move is a helix)
G2 X1.5 Y1.0 Z-0.03 I-0.5
G2 X1.5 Y1.0 Z-0.08 I-0.5
G2 X1.5 Y1.0 Z-0.13 I-0.5
G2 X1.5 Y1.0 Z-0.18 I-0.5
G2 X1.5 Y1.0 Z-0.23 I-0.5
G2 X1.5 Y1.0 Z-0.28 I-0.5
(the last half turn reaches full depth; a full circle there finishes the wall)
G2 X0.5 Y1.0 Z-0.31 I-0.5
G2 X1.5 Y1.0 I0.5
G2 X0.5 Y1.0 I-0.5
(leave the wall on a quarter-turn ramp up, in G3)
G3 X1.0 Y0.5 Z-0.25 I0.5
G0 Z0.2
M9
M5
G0 X0 Y0
M30
