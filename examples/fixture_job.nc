(fixture_job.nc: clamp the part, wait for the part sensor, cut two slots with two)
(tools, coolant and a blow-off announced at half of a move, then unclamp)
G90 G17
M91 OUT2
(wait until input 3, the part-present sensor, is on)
WAITFORON3
M6 T4
S8000 M3
(spindle warm-up)
G4P2000
M8
G0 X1 Y1 Z0.1
G1 Z-0.1
G1 X3
G4P500
G1 Y1.25
G1 X1
G0 Z0.5
M9
M6 T5
S10000 M3
M7
G0 X1 Y2 Z0.1
G1 Z-0.05
(blow-off on output 4 at half of the next move)
M50 AT50 OUT4
G1 X3
M51 AT100 OUT4
G1 Y2.25
G0 Z0.5
M9
M5
(operator check)
M0
M90 OUT2
M57,1
G0 X0 Y0 Z1
M30
