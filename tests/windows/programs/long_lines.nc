(A line longer than the reader's buffer, comments and a block delete, and a last line without a line end)
G90 G17
G0 X0 Y0 Z1
G1 X1 Y1 F500                                                                                                                         X2 Y2
G1 X3 Y3 (comment X99) F400
/G1 X50 Y50
G1 X4.0000001 Y2.999999999 Z0.5
G2 X6 Y3 I1 J0
G1 X6 Y0 A15
G0 X0 Y0 Z5
G1 X0 Y1