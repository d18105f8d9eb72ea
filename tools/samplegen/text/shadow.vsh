; shadow.vsh - projects unit silhouettes onto the ground plane
;
; v0  position
; c0-c3   view * projection
; c8-c11  shadow projection (light onto the ground plane)
; c7      constants (0, 1, 0.5, 3)
; c12     shadow colour and strength

vs.1.1

dcl_position v0

dp4 r0.x, v0, c8
dp4 r0.y, v0, c9
dp4 r0.z, v0, c10
dp4 r0.w, v0, c11

; lift the shadow a little off the ground to avoid flicker
add r0.y, r0.y, c7.z

dp4 oPos.x, r0, c0
dp4 oPos.y, r0, c1
dp4 oPos.z, r0, c2
dp4 oPos.w, r0, c3

mov oD0, c12
