!!ARBvp1.0
# Cel shading for every model the game draws.
# In:  vertex.position (already moved by its joint), vertex.normal (turned by the same joint),
#      vertex.color (the material's colour), vertex.texcoord[1] (the material texture),
#      program.env[0] (the light direction in the model's own space; w unused).
# Out: the clip-space position, the colour and unit 1's coordinates unchanged, and on unit 0
#      the coordinate into the 16-texel shading ramp, whose four flat steps make the bands.
#
# The light the map hands its tiles is horizontal, so it is first tilted upwards: tops of
# terrain then sit in a middle band instead of the darkest, and faces turned away from the
# light never drop below the ramp's first step (coordinate 0.2).

ATTRIB pos = vertex.position;
ATTRIB normal = vertex.normal;
PARAM mvp[4] = { state.matrix.mvp };
PARAM light = program.env[0];
# x: upward tilt added to the unit light, y: ramp floor, z: ramp span, w: keeps a zero vector finite
PARAM k = { 0.8, 0.2, 0.9, 0.000000000001 };
PARAM limits = { 0.0, 1.0, 0.0, 1.0 };
TEMP l, n, t;

DP4 result.position.x, mvp[0], pos;
DP4 result.position.y, mvp[1], pos;
DP4 result.position.z, mvp[2], pos;
DP4 result.position.w, mvp[3], pos;
MOV result.color, vertex.color;
MOV result.texcoord[1], vertex.texcoord[1];

# Unit light direction, tilted up by k.x and normalised again.
MOV l, light;
MOV l.w, limits.x;
DP3 t.x, l, l;
ADD t.x, t.x, k.w;
RSQ t.x, t.x;
MUL l.xyz, l, t.x;
ADD l.y, l.y, k.x;
DP3 t.x, l, l;
RSQ t.x, t.x;
MUL l.xyz, l, t.x;

# Unit normal.
DP3 t.y, normal, normal;
ADD t.y, t.y, k.w;
RSQ t.y, t.y;
MUL n.xyz, normal, t.y;

# Ramp coordinate = clamp(floor + span * max(n . l, 0), 0, 1).
DP3 t.z, n, l;
MAX t.z, t.z, limits.x;
MAD t.z, t.z, k.z, k.y;
MIN t.z, t.z, limits.y;
MOV result.texcoord[0], limits.xzxy;
MOV result.texcoord[0].x, t.z;
END
