(A program saved by an old DOS editor: a Ctrl-Z byte ends its text, what follows is never read)
G90 G17 G21
G0 X0 Y0 Z5
G1 Z-1 F300
G1 X30 Y0 F900
G2 X40 Y10 I0 J10
G1 X40 Y30 G1 X90 Y-50 Z-20 M30
