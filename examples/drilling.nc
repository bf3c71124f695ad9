(drilling.nc: a 3 x 2 hole pattern, spot drilled, then peck drilled 0.6 deep)
G90 G17
M6 T2
S3000 M3
M8
G0 Z0.5
(spot drill: G81 X Y hole, Z depth, R retract plane)
G81 X0.5 Y0.5 Z-0.05 R0.1
X1.5
X2.5
Y1.5
X1.5
X0.5
G80
M9
M6 T3
S2500 M3
M8
(peck drill: Q first peck, V further pecks, W clearance above the last depth)
G83 X0.5 Y0.5 Z-0.6 R0.1 Q0.15 V0.1 W0.02
X1.5
X2.5
Y1.5
X1.5
X0.5
G80
(dwell at the bottom: G82 with P)
G82 X3.5 Y1 Z-0.25 R0.1 P300
G80
M9
M5
G0 Z1
M30
