; model.vsh - skinned unit models, two bones per vertex
;
; v0  position        v1  blend weight     v2  bone indices (x3)
; v3  normal          v7  texture coordinates
; c0-c3   view * projection
; c4      light direction (object space)
; c5      light colour     c6  ambient colour
; c7      constants (0, 1, 0.5, 3)
; c10...  bone matrices, three rows each

vs.1.1

dcl_position v0
dcl_blendweight v1
dcl_blendindices v2
dcl_normal v3
dcl_texcoord v7

; first bone
mov a0.x, v2.x
dp4 r0.x, v0, c[a0.x + 10]
dp4 r0.y, v0, c[a0.x + 11]
dp4 r0.z, v0, c[a0.x + 12]
dp3 r1.x, v3, c[a0.x + 10]
dp3 r1.y, v3, c[a0.x + 11]
dp3 r1.z, v3, c[a0.x + 12]

; second bone
mov a0.x, v2.y
dp4 r2.x, v0, c[a0.x + 10]
dp4 r2.y, v0, c[a0.x + 11]
dp4 r2.z, v0, c[a0.x + 12]
dp3 r3.x, v3, c[a0.x + 10]
dp3 r3.y, v3, c[a0.x + 11]
dp3 r3.z, v3, c[a0.x + 12]

; blend the two
add r4.x, c7.y, -v1.x
mul r0.xyz, r0.xyz, v1.x
mad r0.xyz, r2.xyz, r4.x, r0.xyz
mov r0.w, c7.y
mul r1.xyz, r1.xyz, v1.x
mad r1.xyz, r3.xyz, r4.x, r1.xyz

; renormalise the normal
dp3 r1.w, r1, r1
rsq r1.w, r1.w
mul r1.xyz, r1.xyz, r1.w

; transform
dp4 oPos.x, r0, c0
dp4 oPos.y, r0, c1
dp4 oPos.z, r0, c2
dp4 oPos.w, r0, c3

; diffuse lighting plus ambient
dp3 r5.x, r1, -c4
max r5.x, r5.x, c7.x
mad oD0, c5, r5.x, c6
mov oT0, v7
