import os
from golden_calc import *
def expect_of(g):
    e=g.expect()
    a=g.all
    allrow=["*",a['cap'],a['res'],a['q'],a['fps'],a['audio'],"*",(a['cx'] if g.code=='ZN50' else "*"),"*"]
    e['grid']['cells'][1]=allrow
    e['grid']['checks']=[None,None]+[r['tick'] for r in g.rows]+[None]
    return e
def scenario(name, title, idx, ch, steps, std='NTSC'):
    script=[f"# {title}", json.dumps({"do":"model","index":idx})]
    g=Grid(idx, std, ch)
    if ch!=Grid(idx).ch: script.append(json.dumps({"do":"channels","text":ch}))
    if std!='NTSC': script.append(json.dumps({"do":"standard","value":std}))
    exp=[f"# {title}", "# Expected figures from a separate calculation of the written rules (volumes, sums,",
         "# estimate for 320 GB, weights and budgets), not from the program's output."]
    for st in steps:
        kind=st[0]
        if kind=='pick':
            _,col,row,text=st; script.append(json.dumps({"do":"pick","col":col,"row":row,"text":text})); g_pick(g,col,row,text)
        elif kind=='toggle':
            script.append(json.dumps({"do":"toggle","row":st[1]})); g_toggle(g,st[1])
        elif kind=='dbl':
            script.append('{"do":"dblclickLimit"}'); g_dbl(g)
        elif kind=='dump':
            script.append('{"do":"dump"}'); exp.append("# after: "+", ".join(str(x) for x in st[1:])); exp.append(json.dumps(expect_of(g)))
    open(os.path.join(ROOT,'tests','golden',f'{name}.script'),'w').write("\n".join(script)+"\n")
    open(os.path.join(ROOT,'tests','golden',f'{name}.expect'),'w').write("\n".join(exp)+"\n")
scenario('edits_fixed_table_vr70','VR70 (built-in table), 8 channels: ALL-row and channel picks, a toggle',4,'8',
  [('pick',2,1,'D1'),('dump','ALL D1'),('pick',3,4,'SUPER'),('pick',4,6,'5FPS'),('toggle',5),('dump','picks and toggle'),
   ('pick',4,1,'30FPS'),('pick',2,1,'4M'),('dump','ALL 30FPS then 4M'),('dbl',),('dump','double click while within budget')])
scenario('edits_frame_size_km20','KM20 (frame sizes), 8 channels: cost reaching the budget exactly',9,'8',
  [('pick',2,1,'960H'),('pick',3,1,'SUPER'),('pick',4,3,'7FPS'),('pick',5,2,'OFF'),('toggle',4),('dump','picks'),
   ('pick',4,1,'30FPS'),('dump','ALL 30FPS, one channel off'),('toggle',4),('dump','8 x 159.999 rounds to the budget, not over')])
scenario('edits_hybrid_qt90','QT90 (hybrid, first IP channel 3), 4 channels: cameras and IP lists',18,'4',
  [('pick',2,1,'D1'),('pick',1,4,'Ch 03 / ANALOG'),('pick',3,5,'SUPER'),('toggle',3),('dump','picks'),
   ('pick',1,1,'ANALOG'),('pick',2,1,'HALF_D1'),('dump','ALL camera and HALF_D1')])
scenario('edits_qt63r_rules','QT63R (frame-rate correction and ceilings), 16 channels',21,'16',
  [('pick',2,2,'4M'),('pick',3,2,'ULTRA'),('pick',4,2,'30FPS'),('pick',2,3,'1080P'),('pick',3,3,'SUPER'),('dump','channel rules'),
   ('pick',3,1,'ULTRA'),('pick',4,1,'30FPS'),('dump','ALL ULTRA then 30FPS')])
scenario('edits_qt20_rules','QT20 (quality limits), 8 channels',14,'8',
  [('pick',2,2,'1080P'),('pick',3,2,'ULTRA'),('dump','ULTRA at 1080P'),('pick',4,2,'30FPS'),('pick',2,3,'720P'),('pick',3,3,'ULTRA'),('pick',4,3,'30FPS'),('pick',2,4,'D1'),('pick',3,4,'ULTRA'),('pick',4,4,'30FPS'),('dump','limits')])
scenario('edits_zb30_unticking','ZB30, 8 channels: over budget, double click unticks from the last channel',11,'8',
  [('pick',2,1,'D1'),('pick',4,1,'30FPS'),('dump','over budget'),('dbl',),('dump','after double click')])
scenario('edits_zn50_complexity','ZN50 (HIS records and complexity), 4 channels',12,'4',
  [('pick',7,1,'Complexity-HIGH'),('pick',3,2,'LOW'),('pick',4,1,'30FPS'),('dump','HIGH, LOW, 30FPS'),('pick',7,1,'Complexity-LOW'),('pick',2,3,'D1'),('dump','LOW')])
