"""Golden-scenario expectations, worked out from the written rules independently of the program.

Run make_golden_models.py and make_golden_edits.py to rewrite tests/golden/*.script/*.expect."""
# Independent calculation of start-up figures from the sample database, by the written rules.
import re, math, json, sys, os
ROOT = os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', '..')
from decimal import Decimal, ROUND_HALF_UP
ini = {}
sec = None
for line in open(os.path.join(ROOT, 'data', 'HddInfo.ini')):
    line=line.rstrip('\n')
    m = re.match(r'\[(.*)\]', line)
    if m: sec=m.group(1); ini[sec]={}; continue
    if sec and '=' in line:
        k,v=line.split('=',1); ini[sec][k]=v
def recs(s):
    n=int(ini[s]['CNT']); out=[]
    for i in range(n):
        f=ini[s][str(i)].split('|')
        if f and f[-1]=='': f=f[:-1]
        out.append(f)
    return out
MODELS=recs('MODEL'); QUAL=recs('QUAL'); RATE=recs('RATE'); HIS=recs('HIS')
def fmt0(x):  # #,##0 half away
    d=Decimal(repr(x)).quantize(Decimal('1'), rounding=ROUND_HALF_UP)
    return f"{int(d):,}"
def fmt1(x):
    d=Decimal(format(x,'.15g')).quantize(Decimal('0.1'), rounding=ROUND_HALF_UP)
    s=f"{d:,.1f}"
    return s[:-2] if s.endswith('.0') else s
def gen(x):
    s=format(x,'.15g')
    return s
def fpslist(model, std, ch, res):
    for r in RATE:
        if r[0]==model and r[1]==std and r[2]==ch and r[3].lower()==res.lower():
            c=r[4].replace('FPS','')
            if model in ('QT20','QT10','QT10S','QT61R','QT63R','QT67R'):
                base=['30','15','10','8','5','4','3','2','1'] if c=='30' else ['25','12','10','8','5','4','3','2','1']
                return [b+'FPS' for b in base]
            try: n=int(c)
            except: n=15
            t={12:[12,6,5,4,3,2,1],15:[15,10,7,6,5,4,3,2,1],25:[25,12,8,6,5,4,3,2,1],30:[30,15,10,7,5,4,3,2,1]}
            return [f"{v}FPS" for v in (t[n] if n in t else range(n,0,-1))]
    return []
P={'4M':2560*1440,'1080P':1920*1080,'720P':1280*720,'960H':960*480,'D1':720*480,'HALF_D1':720*240,'CIF':360*240}
Q={'LOW':.4,'MID':.7,'HIGH':1.0,'SUPER':1.3,'ULTRA':1.6}
from fractions import Fraction as F
KN={30:F(1),15:F(8,15),10:F(16,45),7:F(56,225),5:F(8,45),4:F(7,45),3:F(6,45),2:F(5,45),1:F(4,45)}
KP={25:F(1),12:F(21,40),8:F(7,20),6:F(21,80),5:F(1,5),4:F(7,40),3:F(3,20),2:F(1,8),1:F(1,10)}
def fixed(std,res,q,fps):
    K=(KN if std=='NTSC' else KP).get(fps)
    if K is None: return 0
    v=2000*math.sqrt(P[res]/P['D1'])*Q[q]*float(K)
    return math.floor(v*1000)/1000 if res=='4M' else round(v,3)
CORR={1:11.3,2:6.15,3:4.280045351,4:3.325660877,5:2.803952029,8:2.020070232,10:1.74617981,15:1.373710163}
HISIDX={1:0,2:1,3:2,4:3,5:4,6:5,7:6,10:7,15:8,30:9}
FIXED=('VR30','VR50','VR7310','VR7320','VR7330','VR7320S','VR60','VR70')
def lookup(model,std,res,q,fpstext,cam,ch,cf):
    try: fps=int(fpstext.replace('FPS',''))
    except: fps=0
    if model=='ZN50':
        for h in HIS:
            if h[0]==model and h[1]==std and h[3]==res and h[4]==q and h[2]==ch:
                return float(h[5+HISIDX[fps]])*cf if fps in HISIDX else 0
        return 0
    if model in FIXED: return fixed(std,res,q,fps)
    for r in QUAL:
        if r[0]==model and r[1]==std and r[2]==res and r[3]==q and (cam=='' or r[4]==cam):
            fs=float(r[5])
            if model in ('QT61R','QT63R','QT67R'): return fps*fs*CORR.get(fps,1.0)
            if model=='ZB30': return (fps*2/3+10)*fs
            return fps*fs
    return 0
def hour(model, rate, audio):
    a=8 if audio=='ON' else 0
    if model=='ZN50': return (rate+a*1024)*3600/1024/1024
    if model in FIXED: return (rate/8+a)*3600/1024
    return (rate+a)*3600/1024
W={'CIF':1,'HALF_D1':2,'D1':4,'1080P':None,'4M':None}
def weight(res,std,model):
    pal=std=='PAL'
    if res=='CIF': return 1
    if res=='HALF_D1': return 2
    if res=='D1': return 4
    if res=='960H':
        if model=='ZB30': return 4
        if pal and model in FIXED: return 5.36
        return 5.3333
    if res=='720P':
        if model in FIXED: return 10.72 if pal else 10.6666
        return 12
    if res=='1080P': return 21.44 if pal else 21.3333
    if res=='4M': return 42.88 if pal else 42.6666
    return 1
def cost(res,fpstext,std,model):
    try: fps=int(fpstext.replace('FPS',''))
    except: fps=0
    w=weight(res,std,model)
    if fps==7: return 7.5*w
    if fps==12 and std=='PAL': return math.trunc(12.5*w+0.9)
    return fps*w
def budget(model,std,ch):
    pal=std=='PAL'; k=0 if ch=='4' else 1 if ch=='8' else 2
    T=[(('ZN50','ZW6+','ZB30'),(480,480,480),(400,400,400)),
       (('KM20','KM10','VR30','VR40'),(640,1280,2560),(536,1072,2144)),
       (('VR50','VR7310','VR7330','VR7320S'),(1280,2560,5120),(1072,2144,4288)),
       (('VR7320',),(1920,)*3,(1608,)*3),(('VR60','VR70'),(2560,5120,10240),(2144,4288,8576))]
    for ms,n,p in T:
        if model in ms: return (p if pal else n)[k]
    return 0
def ipres(code):
    if code in ('QT61R','QT63R','QT67R'): return ["4M","3M","1080P","SXGA","720P","D1","CIF"]
    if code in ('QT20','QT10','QT10S','QT00S'): return ["1080P","SXGA","720P","D1","CIF"]
    if code in ('QT90','QT5240'): return ["1080P","720P","D1","CIF"]
    return ["1080P","720P"]
def anres(code):
    if code in ('KM20','KM10'): return ["960H","D1","HALF_D1","CIF"]
    if code in ('VR30','VR40'): return ["720P","960H","D1","HALF_D1","CIF"]
    if code in ('VR50','VR7310','VR7320','VR7330','VR7320S','VR60'): return ["1080P","720P","960H","D1","HALF_D1","CIF"]
    if code=='VR70': return ["4M","1080P","720P","960H","D1","HALF_D1","CIF"]
    if code=='ZB30': return ["960H","D1","CIF"]
    return ["D1","HALF_D1","CIF"]
QN=["ULTRA","SUPER","HIGH","MID","LOW"]
def anq(code): return QN[1:] if code in ('KM20','KM10','VR30','VR40','VR50','VR7310','VR7320','VR7330','VR60','VR70') else QN
def ipq(code): return QN if code in ('QT20','QT10','QT10S','QT61R','QT63R','QT67R') else QN[1:]
def cams(code):
    if code=='QT90': return ['JE2','ANALOG']
    if code in ('QT61R','QT63R','QT67R'): return ['JE9']
    return ['JE2']
class Grid:
    def __init__(s, idx, std='NTSC', ch=None):
        m=MODELS[idx]; s.code=m[0]; s.hybrid=m[6]!='N'; s.f=int(m[7]) if m[7].lstrip('-').isdigit() else 0
        offered=[c for c,flag in zip(['4','8','12','16'],m[2:6]) if flag=='Y']
        s.ch=ch or offered[0]; s.std=std; s.cf=1.31 if s.code=='ZN50' else 1.0
        n=int(s.ch); s.rows=[]
        for c in range(1,n+1):
            ip = s.f>0 and c>=s.f
            if ip: res=ipres(s.code)[0]; q=ipq(s.code)[1]
            else:
                al=anres(s.code); res='CIF' if 'CIF' in al else al[0]
                ql=anq(s.code); q='HIGH' if 'HIGH' in ql else ql[2]
            fl=fpslist(s.code,std,s.ch,res)
            fps=fl[1] if len(fl)>=2 else (fl[-1] if fl else '')
            cam=(cams(s.code)[0] if ip else 'ANALOG') if s.hybrid else ''
            cap=f"Ch {c:02d}"+(f" / {cam}" if s.hybrid else '')
            s.rows.append(dict(cap=cap,res=res,q=q,fps=fps,audio='ON',cam=cam,tick=True))
    def cells(s):
        out=[]
        for r in s.rows:
            rate=lookup(s.code,s.std,r['res'],r['q'],r['fps'],r['cam'] if r['cam']!='JE9' else '',s.ch,s.cf)
            h=hour(s.code,rate,r['audio'])
            out.append([r['cap'],r['res'],r['q'],r['fps'],r['audio'],fmt0(h)+' MB',fmt0(h*24)+' MB',gen(rate)])
        return out
    def totals(s, hdd_mb=312500):
        cs=s.cells(); fs=0; hs=0; ds=0
        for r,c in zip(s.rows,cs):
            if not r['tick']: continue
            try: fs+=int(r['fps'].replace('FPS','').strip())
            except: pass
            hs+=int(c[5].replace(' MB','').replace(',','')); ds+=int(c[6].replace(' MB','').replace(',',''))
        ht=f"{hs:,}   MB"; dt=f"{ds:,}   MB"
        if hs>0:
            hours=hdd_mb/hs; tt=[fmt1(math.trunc(hdd_mb))+'   MB', fmt1(hours/24)+'  Day', fmt1(hours)+' Hour']
        else: tt=['-','-','-']
        return fs, ht, dt, tt
    def cost(s):
        tot=0
        for r in s.rows:
            if r['tick']: tot+=cost(r['res'],r['fps'],s.std,s.code)
        b=budget(s.code,s.std,s.ch)
        if b==0: return 'Free',' / Free',False
        u=round(tot)  # python round = half even
        return str(u), f" / {b}", u>b
    def expect(s):
        cs=s.cells(); fs,ht,dt,tt=s.totals(); used,mx,over=s.cost()
        rows=[["*",r[0],r[1],r[2],r[3],r[4],r[5],r[6],r[7]] for r in cs]
        return dict(grid=dict(cells=["*","*"]+rows+[["Total","*","*","*",f"{fs}FPS","*",ht,dt,"*"]]),
                    totals=[["Data / Hour",ht],["Data / Day",dt],["HDD Size",tt[0]],["Full Recording Day",tt[1]],["Full Recording Time",tt[2]]],
                    cost=dict(used=used,max=mx,over=over))
if __name__=='__main__':
    for i,m in enumerate(MODELS): print(i,m[0],m[2:8])

# ---- edits ------------------------------------------------------------------------------------
def rule_count(ch):
    try: return int(ch)
    except: return 4
def fpsnum(t):
    try: return int(t.replace('FPS',''))
    except: return 0
def entry(l,k,cur): return l[k-1] if len(l)>=k else cur
def adjust_q(g,res,fps,q,fl):
    if g.code not in ('QT20','QT10','QT10S') or rule_count(g.ch)<=4 or res in ('D1','CIF'): return fps
    n=rule_count(g.ch)
    if n==8: return entry(fl,2,fps) if q=='ULTRA' else entry(fl,1,fps)
    if n==16: return entry(fl,4,fps) if q=='ULTRA' else entry(fl,2,fps)
    return fps
def adjust_r(g,res,fps,q,fl):
    if g.code not in ('QT61R','QT63R','QT67R'): return fps
    n=rule_count(g.ch); k=None
    T={(4,'4M'):(2,2,2),(8,'4M'):(3,2,2),(8,'3M'):(2,1,1),(8,'SXGA'):(2,1,1),(8,'1080P'):(2,1,1),
       (16,'4M'):(5,3,2),(16,'3M'):(4,2,1),(16,'SXGA'):(3,2,1),(16,'1080P'):(3,2,1),(16,'720P'):(2,1,1)}
    if (n,res) not in T: return fps
    u,s,o=T[(n,res)]; k=u if q=='ULTRA' else s if q=='SUPER' else o
    return entry(fl,k,fps)
def limit_q(g,res,fps,q):
    if g.code not in ('QT20','QT10','QT10S') or rule_count(g.ch)<=4 or res in ('D1','CIF'): return q
    n=rule_count(g.ch); f=fpsnum(fps)
    if n==8 and q=='ULTRA' and f>15: return 'SUPER'
    if n==16 and q in ('ULTRA','SUPER') and f>15: return 'HIGH'
    if n==16 and q=='ULTRA' and f>7: return 'HIGH'
    return q
def limit_f(g,res,fps,q):
    if g.code not in ('QT61R','QT63R','QT67R'): return fps
    n=rule_count(g.ch); f=fpsnum(fps)
    if n<=4 or res in ('D1','CIF'):
        return '15FPS' if (n==4 and res=='4M' and f==30) else fps
    C={(8,'4M'):(10,15,15),(8,'3M'):(15,None,None),(8,'SXGA'):(15,None,None),(8,'1080P'):(15,None,None),
       (16,'4M'):(5,10,15),(16,'3M'):(8,15,None),(16,'SXGA'):(10,15,None),(16,'1080P'):(10,15,None),(16,'720P'):(15,None,None)}
    if (n,res) in C:
        u,s,o=C[(n,res)]; c=u if q=='ULTRA' else s if q=='SUPER' else o
        if c is not None and f>c: f=c
    return f"{f}FPS"
def g_fill(g,res): return fpslist(g.code,g.std,g.ch,res)
def g_pick(g,col,row,text):
    # row 1 = ALL row; channel c in row c+1
    if row==1:
        a=g.all
        key={1:'cap',2:'res',3:'q',4:'fps',5:'audio',7:'cx'}[col]; a[key]=text
        res,q,fps=a['res'],a['q'],a['fps']
        if col in (2,3):
            fl=g_fill(g,res); fps=entry(fl,2,fps); fps=adjust_q(g,res,fps,q,fl)
            if col==3: fps=adjust_r(g,res,fps,q,fl)
            a['fps']=fps
        if col==4:
            g.fl=g_fill(g,res)
            q=limit_q(g,res,fps,q); fps=limit_f(g,res,fps,q); a['q']=q; a['fps']=fps
        if col==7:
            c=text.replace('%','').replace('Complexity-','').upper()
            g.cf=1.63 if c=='HIGH' else 1.31 if c=='MID' else 1.0
        v=a['fps'] if col==4 else text
        for i,r in enumerate(g.rows):
            c=i+1; ip=g.f>0 and c>=g.f
            if col==1: r['cap']=f"Ch {c:02d} / {v}"; r['cam']=v if v in('JE2','ANALOG') else ''
            elif col in (2,3):
                if col==2: r['res']=v if not ip else (v if v in ipres(g.code) else ipres(g.code)[0])
                else: r['q']=v if not ip else (v if v in ipq(g.code) else ipq(g.code)[0])
                fl=g_fill(g,r['res']); f=entry(fl,2,r['fps']); f=adjust_q(g,r['res'],f,r['q'],fl); f=adjust_r(g,r['res'],f,r['q'],fl); r['fps']=f
            elif col==4:
                f=v if v in g.fl else (g.fl[0] if g.fl else v)
                r['q']=limit_q(g,r['res'],f,r['q']); r['fps']=limit_f(g,r['res'],f,r['q'])
            elif col==5: r['audio']=v
        return
    r=g.rows[row-2]
    key={1:'cap',2:'res',3:'q',4:'fps',5:'audio'}[col]; r[key]=text
    if col==1:
        r['cam']='JE2' if 'JE2' in text else 'ANALOG' if 'ANALOG' in text else ''
    if col in (2,3):
        fl=g_fill(g,r['res']); f=entry(fl,2,r['fps']); f=adjust_q(g,r['res'],f,r['q'],fl)
        if col==3: f=adjust_r(g,r['res'],f,r['q'],fl)
        r['fps']=f
    if col==4:
        r['q']=limit_q(g,r['res'],r['fps'],r['q']); r['fps']=limit_f(g,r['res'],r['fps'],r['q'])
def g_toggle(g,row): g.rows[row-2]['tick']=not g.rows[row-2]['tick']
def g_over(g):
    used,mx,over=g.cost(); return over
def g_dbl(g):
    if not g_over(g): return
    r=len(g.rows)+1
    while g_over(g) and r>2:
        g.rows[r-2]['tick']=False; r-=1
_orig_init=Grid.__init__
def _init(s,*a,**k):
    _orig_init(s,*a,**k)
    al=anres(s.code); ql=anq(s.code)
    if s.f==1: res=ipres(s.code)[0]; q=ipq(s.code)[1]
    else: res='CIF' if 'CIF' in al else al[0]; q='HIGH' if 'HIGH' in ql else ql[2]
    fl=fpslist(s.code,s.std,s.ch,res)
    s.all=dict(cap=(cams(s.code)[0] if s.hybrid else 'ALL'),res=res,q=q,fps=(fl[1] if len(fl)>=2 else ''),audio='ON',cx='Complexity-MID' if s.code=='ZN50' else '')
    s.fl=fl
Grid.__init__=_init
def g_lookup_cam(r): return '' if r['cam'] in ('JE9',) else r['cam']
