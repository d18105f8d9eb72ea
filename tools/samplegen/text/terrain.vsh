; terrain.vsh - terrain tiles with two texture layers and fog
;
; v0  position        v3  normal
; v7  base texture coordinates
; c0-c3   view * projection
; c4      light direction
; c5      light colour     c6  ambient colour
; c7      constants (0, 1, 0.5, 3)
; c13     detail texture scale (x, y)
; c14     fog: start, 1 / (end - start)
; c15     camera position

vs.1.1

dcl_position v0
dcl_normal v3
dcl_texcoord v7

dp4 oPos.x, v0, c0
dp4 oPos.y, v0, c1
dp4 oPos.z, v0, c2
dp4 oPos.w, v0, c3

; lighting
dp3 r0.x, v3, -c4
max r0.x, r0.x, c7.x
mad oD0, c5, r0.x, c6

; base and detail layers
mov oT0, v7
mul oT1.xy, v7.xy, c13.xy

; linear fog by distance from the camera
add r1, v0, -c15
dp3 r1.x, r1, r1
rsq r1.y, r1.x
mul r1.x, r1.x, r1.y
add r1.x, r1.x, -c14.x
mul r1.x, r1.x, c14.y
add oFog, c7.y, -r1.x
