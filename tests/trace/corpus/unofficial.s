; A game whose hot loops use the stable unofficial opcodes: LAX to load A
; and X at once, SAX to store their AND, DCP and ISC as counting loops, the
; shifts that combine with A (SLO, RLA, SRE, RRA), ANC, ALR, ARR and AXS on
; immediates, and the NOPs with operands as padding. Each routine goes on
; past them, and the code after them is reached only that way. The tables
; after the code are full of bytes that would decode as those opcodes.
.setcpu "6502X"

.segment "HEADER"
  .byte "NES", $1A, 2, 1, $00, $00
  .res 8, 0

.segment "ZEROPAGE"
count:  .res 1
mask:   .res 1
ptr:    .res 2
frame:  .res 1
seed:   .res 2
hits:   .res 1

.segment "BSS"
buffer: .res 64
shadow: .res 64

.segment "CODE"
reset:
  sei
  cld
  ldx #$FF
  txs
  inx
  stx $2000
  stx $2001
  txa
clear:
  sta buffer,x
  sta shadow,x
  inx
  cpx #64
  bne clear
  lda #<buffer
  sta ptr
  lda #>buffer
  sta ptr+1
  lda #$80
  sta $2000
main:
  jsr wait_frame
  jsr scroll_stars
  jsr mix_noise
  jsr count_down
  jmp main

wait_frame:
  lax frame
wait:
  cmp frame
  beq wait
  rts

; Moves 16 stars: LAX loads position and speed, AXS steps them.
scroll_stars:
  ldy #15
star:
  lax stars,y
  axs #$FE
  txa
  sax mask
  sta shadow,y
  slo buffer,y
  rla buffer+16,y
  nop $12
  nop $1234,x
  dey
  bpl star
  jsr draw_stars
  rts

draw_stars:
  ldx #0
draw:
  lda shadow,x
  sta $2007
  inx
  cpx #16
  bne draw
  rts

; A 16-bit noise generator made of the shifts that combine with A.
mix_noise:
  lda seed
  alr #$FE
  arr #$7F
  anc #$3F
  sre seed+1
  rra seed
  sta seed
  nop #$00
  nop $10,x
  jsr store_noise
  rts

store_noise:
  ldy hits
  sta (ptr),y
  isc hits
  lda hits
  and #63
  sta hits
  rts

; DCP counts the timer down and compares in one step.
count_down:
  lda #0
  dcp count
  bne not_yet
  lda #60
  sta count
  jsr tick
not_yet:
  rts

tick:
  ldx #8
tick_loop:
  dcp buffer,x
  isc buffer+8,x
  slo (ptr),y
  sre (ptr,x)
  dex
  bne tick_loop
  rts

nmi:
  pha
  txa
  pha
  inc frame
  lax frame
  and #7
  bne nmi_done
  jsr nmi_sound
nmi_done:
  pla
  tax
  pla
  rti

nmi_sound:
  lda #$3F
  sta $4000
  sax $4002
  rts

irq:
  rti

.segment "RODATA"
stars:
  .byte $A7, $B3, $07, $C7, $E7, $AF, $13, $33
  .byte $4B, $6B, $0B, $CB, $1C, $3C, $D7, $F7
noise_seeds:
  .byte $A3, $A7, $AF, $B7, $BF, $83, $87, $8F
  .byte $97, $C3, $DF, $FF, $E3, $03, $23, $63

.segment "VECTORS"
  .word nmi, reset, irq
