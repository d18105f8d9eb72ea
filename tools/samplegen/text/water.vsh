; water.vsh - animated water surface
;
; v0  position        v7  texture coordinates
; c0-c3   view * projection
; c7      constants (0, 1, 0.5, 3)
; c18     wave: time, speed, height, length
; c19     scroll of the two normal maps (xy, zw)
; c15     camera position

vs.1.1

dcl_position v0
dcl_texcoord v7

; a gentle swell: height += sin-like curve of (x + time)
mul r0.x, v0.x, c18.w
mad r0.x, c18.x, c18.y, r0.x
frc r0.y, r0.x
add r0.y, r0.y, -c7.z
mul r0.z, r0.y, r0.y
mad r0.z, -r0.z, c7.w, c7.y
mov r1, v0
mad r1.y, r0.z, c18.z, r1.y

dp4 oPos.x, r1, c0
dp4 oPos.y, r1, c1
dp4 oPos.z, r1, c2
dp4 oPos.w, r1, c3

; two scrolling layers of ripples
add oT0.xy, v7.xy, c19.xy
add oT1.xy, v7.xy, c19.zw

; view vector for the reflection
add r2, c15, -r1
dp3 r2.w, r2, r2
rsq r2.w, r2.w
mul oT2.xyz, r2.xyz, r2.w
