(Pocket contour with arcs and shallow corners; CR LF line ends as a Windows CAM writes them)
G90 G17 G21
M6 T2
M3 S12000
G0 X0 Y0 Z5
G1 Z-1 F300
G1 X40 Y2 F900
G1 X80 Y0
G2 X90 Y10 I0 J10
G1 X92 Y40
G3 X72 Y60 I-20 J0
G1 X10 Y58
G1 X0 Y30
G1 X0.5 Y15
G1 X0 Y0
G2 X0 Y0 I10 J0
G0 Z5
M5
G0 X0 Y0
